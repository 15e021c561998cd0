#include "LutEditorWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "LutPlot.h"
#include "PlainButton.h"
#include "ShowWindow.h"
#include "SpinButtons.h"
#include "StatusStrip.h"
#include "protocol/Command.h"

namespace vr::gui {

using namespace lut::lutdlg;

namespace {}  // namespace

QColor LutEditorWindow::CurveColour(lut::LutColour colour) {
    switch (colour) {
        case lut::LutColour::Green:
            return {0, 255, 0};
        case lut::LutColour::Blue:
            return {0, 0, 255};
        case lut::LutColour::Red:
            break;
    }
    return {255, 0, 0};
}

LutEditorWindow::LutEditorWindow(camera::Services& services, lut::LutColour colour, QWidget* parent)
    : QDialog(parent, Qt::Window), services_(services) {
    setObjectName(QString("%1-%2").arg(kTemplateId).arg(static_cast<int>(colour)));
    setSizeGripEnabled(true);
    // An editor left open does not keep the tool running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    Build(colour);
    logic_ = std::make_unique<lut::CLUTDlg>(services_, colour, controls_, *this);
    plot_->SetEditor(logic_.get());
    logic_->Init();
}

LutEditorWindow::~LutEditorWindow() {
    plot_->SetEditor(nullptr);
    logic_.reset();
}

void LutEditorWindow::Build(lut::LutColour colour) {
    auto* modeGroup = new QGroupBox("Current Mode Status", this);
    auto* mode = new QLabel(modeGroup);
    mode->setAlignment(Qt::AlignCenter);
    auto* modeLayout = new QVBoxLayout(modeGroup);
    modeLayout->addWidget(mode);

    auto* read = PlainButton("Read Table Data", this);
    auto* write = PlainButton("Write Table Data", this);
    auto* clear = PlainButton("Clear Table Data", this);
    auto* convert = PlainButton("Convert Editable", this);

    auto* countLabel = new QLabel("Edit Point\nCount To Add", this);
    auto* count = new QLineEdit(this);
    count->setReadOnly(true);
    count->setAlignment(Qt::AlignRight);
    count->setMaximumWidth(fontMetrics().horizontalAdvance("0000") + 12);
    countLabel->setBuddy(count);
    auto* spin = new SpinButtons(this);
    spin->SetBuddy(count);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(countLabel, 1);
    countRow->addWidget(count);
    countRow->addWidget(spin);

    auto* typeLabel = new QLabel("Table Type", this);
    auto* type = new QComboBox(this);
    typeLabel->setBuddy(type);
    auto* writeAll = PlainButton("Write This Setting To All Other Color Tables", this);

    auto* usage = new QGroupBox("Usage Descritption", this);
    auto* usageLayout = new QVBoxLayout(usage);
    for (const char* text : {"<< Add edit point >>\n  Left mouse click\n  on LUT line",
                             "<< Delete edit point >>\n  Right mouse click\n  at edit point",
                             "<< Move LUT line >>\n  Move with keeping left\n  mouse click on\n  edit point.",
                             "<< Undo >> Ctrl+Z, redo Ctrl+Shift+Z"})
        usageLayout->addWidget(new QLabel(QString::fromUtf8(text), usage));

    auto* left = new QVBoxLayout;
    left->addWidget(modeGroup);
    for (QPushButton* b : {read, write, clear, convert}) left->addWidget(b);
    left->addLayout(countRow);
    left->addWidget(typeLabel);
    left->addWidget(type);
    left->addWidget(writeAll);
    left->addWidget(usage);
    left->addStretch(1);

    plot_ = new LutPlot(CurveColour(colour), this);
    readout_ = new QLabel(this);
    readout_->setAlignment(Qt::AlignCenter);
    // Room for the longest readout, so the window does not jump as the cursor moves.
    readout_->setMinimumWidth(fontMetrics().horizontalAdvance("Input 255   Output 4095   Table 4095") + 8);
    readout_->setMinimumHeight(fontMetrics().height());
    auto* right = new QVBoxLayout;
    right->addWidget(plot_, 1);
    right->addWidget(readout_);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right, 1);
    strip_ = new StatusStrip(this);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(body, 1);
    outer->addWidget(strip_);

    controls_.Bind(kPlot, plot_);
    controls_.Bind(kRead, read);
    controls_.Bind(kWrite, write);
    controls_.Bind(kClear, clear);
    controls_.Bind(kConvert, convert);
    controls_.Bind(kPointCountEdit, count);
    controls_.Bind(kPointCountSpin, spin);
    controls_.Bind(kModeText, mode);
    controls_.Bind(kTableType, type);
    controls_.Bind(kWriteToAll, writeAll);
    controls_.Bind(kStrip, strip_);

    connect(plot_, &LutPlot::cursorLevels, readout_, &QLabel::setText);
    // The count has no camera behind it: the spin simply moves within its range.
    connect(spin, &SpinButtons::stepRequested, this,
            [spin](int delta) { spin->SetPosition(spin->Position() + delta); });
    // A transfer started while another command waits for its reply would mix the two on the wire.
    connect(read, &QPushButton::clicked, this, [this] {
        if (!services_.engine.Busy()) logic_->OnReadTableData();
    });
    connect(write, &QPushButton::clicked, this, [this] {
        if (!services_.engine.Busy()) logic_->OnWriteTableData();
    });
    connect(clear, &QPushButton::clicked, this, [this] { logic_->OnClearTableData(); });
    connect(convert, &QPushButton::clicked, this, [this] { logic_->OnConvertEditable(); });
    auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    undo->setObjectName("undo");
    connect(undo, &QShortcut::activated, this, [this] { logic_->Undo(); });
    auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this);
    redo->setObjectName("redo");
    connect(redo, &QShortcut::activated, this, [this] { logic_->Redo(); });
}

void LutEditorWindow::SetTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

void LutEditorWindow::ShowWindow(bool show) {
    ShowOrHide(*this, show);
}

void LutEditorWindow::Activate() {
    raise();
    activateWindow();
}

void LutEditorWindow::InvalidatePlot() {
    plot_->update();
}

}  // namespace vr::gui

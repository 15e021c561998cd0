#include "QtPlatform.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QSpacerItem>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "ProgressWindow.h"

namespace vr::gui {

QString FilterText(const platform::FileFilter& filter) {
    const QString description = QString::fromStdString(filter.description).trimmed();
    const QString pattern = QString::fromStdString(filter.pattern).trimmed();
    if (description.contains('(')) return description;
    return description + " (" + pattern + ")";
}

namespace {

QString Filters(const std::vector<platform::FileFilter>& filters) {
    QStringList list;
    for (const auto& f : filters) list << FilterText(f);
    return list.join(";;");
}

QString DefaultSuffix(const std::vector<platform::FileFilter>& filters) {
    if (filters.empty()) return {};
    const QString pattern = QString::fromStdString(filters.front().pattern).trimmed();
    return pattern.startsWith("*.") ? pattern.mid(2) : QString();
}

}  // namespace

QtPlatform::QtPlatform() = default;

QtPlatform::~QtPlatform() {
    while (waitCursorDepth_ > 0) EndWaitCursor();
    delete progress_;
}

QWidget* QtPlatform::Owner() const {
    // A box owned by a greyed window would be greyed with it and could not be answered.
    for (QWidget* candidate :
         {QApplication::activeModalWidget(), static_cast<QWidget*>(mainWindow_.data()), QApplication::activeWindow()})
        if (candidate != nullptr && candidate->isVisible() && candidate->isEnabled()) return candidate;
    return nullptr;
}

platform::MsgResult QtPlatform::MessageBox(const std::string& text, const std::string& caption, platform::MsgIcon icon,
                                           platform::MsgButtons buttons) {
    QMessageBox box(Owner());
    box.setWindowTitle(QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    // The box blocks every window of the tool, so no second command can start behind it.
    box.setWindowModality(Qt::ApplicationModal);
    switch (icon) {
        case platform::MsgIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case platform::MsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case platform::MsgIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case platform::MsgIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case platform::MsgIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    switch (buttons) {
        case platform::MsgButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case platform::MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case platform::MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case platform::MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    // Wide enough for its title, which the window frame would otherwise cut short ("White Balance
    // Exposure Once" over a one-word result): a spacer across the box's grid holds it open.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        QFont titleFont = box.font();
        titleFont.setBold(true);
        // The frame's buttons and margins around the title.
        constexpr int kFrameRoom = 160;
        const int wanted = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kFrameRoom;
        const QScreen* screen = box.screen();
        const int most = screen != nullptr ? screen->availableGeometry().width() * 3 / 4 : wanted;
        grid->addItem(new QSpacerItem(std::min(wanted, most), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    // A box inside a long operation must show the ordinary pointer.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = box.exec();
    if (busy) QApplication::restoreOverrideCursor();
    switch (result) {
        case QMessageBox::Ok:
            return platform::MsgResult::Ok;
        case QMessageBox::Yes:
            return platform::MsgResult::Yes;
        case QMessageBox::No:
            return platform::MsgResult::No;
        default:
            return buttons == platform::MsgButtons::YesNo ? platform::MsgResult::No : platform::MsgResult::Cancel;
    }
}

void QtPlatform::BeginWaitCursor() {
    ++waitCursorDepth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPlatform::EndWaitCursor() {
    if (waitCursorDepth_ == 0) return;
    --waitCursorDepth_;
    QApplication::restoreOverrideCursor();
}

void QtPlatform::PumpMessages() {
    if (pumpHook_) pumpHook_();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

std::string QtPlatform::OpenFileDialog(const std::string& title, const std::string& folder,
                                       const std::vector<platform::FileFilter>& filters) {
    QFileDialog dialog(Owner(), QString::fromStdString(title), QString::fromStdString(folder), Filters(filters));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front().toStdString();
}

std::string QtPlatform::SaveFileDialog(const std::string& title, const std::string& folder,
                                       const std::string& suggestedName,
                                       const std::vector<platform::FileFilter>& filters) {
    QFileDialog dialog(Owner(), QString::fromStdString(title), QString::fromStdString(folder), Filters(filters));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(DefaultSuffix(filters));
    // The tool asks its own replace question, with its own wording.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!suggestedName.empty()) dialog.selectFile(QString::fromStdString(suggestedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front().toStdString();
}

void QtPlatform::ProgressOpen(const std::string& text) {
    delete progress_;
    QWidget* parent = mainWindow_ ? mainWindow_.data() : QApplication::activeWindow();
    // Not a child of the window it disables, or it would be greyed together with it.
    progress_ = new ProgressWindow(nullptr);
    progressParent_ = nullptr;
    if (parent != nullptr && parent->isEnabled()) {
        parent->setEnabled(false);
        progressParent_ = parent;
    }
    progress_->SetText(QString::fromStdString(text));
    progress_->adjustSize();
    // Over the window it works for. A modal dialog open (an ID editor writing) would block a window of
    // any other lineage, and with it Cancel: the progress window then belongs to the dialog.
    QWidget* over = QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget() : parent;
    if (over != nullptr && over->isVisible()) {
        progress_->move(over->frameGeometry().center() - progress_->rect().center());
        progress_->winId();
        if (over->windowHandle() != nullptr) progress_->windowHandle()->setTransientParent(over->windowHandle());
    }
    progress_->show();
    // The first frame shows this operation's text and an empty bar before any work starts.
    progress_->repaint();
}

void QtPlatform::ProgressSetText(const std::string& text) {
    if (progress_) progress_->SetText(QString::fromStdString(text));
}

void QtPlatform::ProgressSetPos(int percent) {
    if (progress_ && progress_->isVisible()) progress_->SetPos(percent);
}

void QtPlatform::ProgressAllowCancel(bool allow) {
    if (progress_) progress_->AllowCancel(allow);
}

void QtPlatform::ProgressAllowWaitCancel(bool allow) {
    if (progress_) progress_->AllowWaitCancel(allow);
}

void QtPlatform::ProgressSetBusy(bool busy) {
    if (progress_) progress_->SetBusy(busy);
}

bool QtPlatform::ProgressPoll() {
    if (!progress_) return false;
    // Every other window of the tool is greyed while the operation runs, so the only input that can
    // arrive is the progress window's own Cancel.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return progress_ && progress_->CancelRequested();
}

void QtPlatform::ProgressFinish() {
    // A wait of unknown length, or one the operator stopped, has no full bar to show: the window
    // goes at once and the tool is usable again.
    if (progress_ && progress_->isVisible() && !progress_->Busy() && !progress_->CancelRequested()) {
        progress_->SetPos(100);
        if (finishPauseMs_ > 0) {
            // The full bar stays in view a moment; windows keep painting, input waits.
            QEventLoop pause;
            QTimer::singleShot(finishPauseMs_, &pause, &QEventLoop::quit);
            pause.exec(QEventLoop::ExcludeUserInputEvents);
        }
    }
    delete progress_;
    if (progressParent_) {
        progressParent_->setEnabled(true);
        progressParent_->activateWindow();
        progressParent_ = nullptr;
    }
}

bool QtPlatform::ShellOpen(const std::string& path) {
    // No shell: the path reaches xdg-open as one argument whatever characters it holds.
    return QProcess::startDetached("xdg-open", {QString::fromStdString(path)});
}

}  // namespace vr::gui

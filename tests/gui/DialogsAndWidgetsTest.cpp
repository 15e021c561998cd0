// The identity dialogs in the started tool and the menu that opens them; then, alone, the widget side
// of control access, the up-down control, the column balance of the pages and two small windows.

#include <QGroupBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <set>

#include "AboutWindow.h"
#include "AreaSelectDialog.h"
#include "CameraIdWindow.h"
#include "ColumnLayout.h"
#include "GuiTests.h"
#include "PageBuilder.h"
#include "SpinButtons.h"
#include "WidgetBinding.h"
#include "identity/IdentityIds.h"

using namespace vr;

void MainWindowTest::aboutDialogsUserIdLockPairAnswersTheMouse() {
    using namespace identity::about;
    gui::AboutWindow dialog(tool_.core->Get(), {false, folder_.toStdString(), "/nowhere/README.md"}, window_);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    gui::WidgetBinding& c = dialog.Controls();
    QCOMPARE(c.GetText(kLink), std::string("/nowhere/README.md"));
    QVERIFY(!c.Widget(kUserId)->isEnabled());
    QTest::mouseClick(c.Widget(kEnableUserIdEdit), Qt::LeftButton);
    QVERIFY(c.Widget(kUserId)->isEnabled() && c.Widget(kSaveUserId)->isEnabled());
    QVERIFY(!c.GetCheck(kProtectUserId));
    QTest::mouseClick(c.Widget(kEnableUserIdEdit), Qt::LeftButton);
    QVERIFY(c.GetCheck(kEnableUserIdEdit));  // a second click on the chosen box keeps it chosen
    QVERIFY(platform_.boxes.empty());
}

void MainWindowTest::cameraIdFieldsTakeOneCharacterEach() {
    using namespace identity::cameraid;
    gui::CameraIdWindow dialog(tool_.core->Session(), false, window_);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    std::string shown;
    for (uint32_t id : kFields) shown += dialog.Controls().As<QLineEdit>(id)->text().toStdString();
    QCOMPARE(QString::fromStdString(shown), QString::fromStdString(camera_->QueryValue("ID").value_or("?")));
    // Typing and pasting into the fields are the operator tests'.
}

QString MainWindowTest::TitleOfDialogOpenedBy(uint32_t menuId) {
    auto* action = window_->findChild<QAction*>(QString::number(menuId));
    if (action == nullptr || !action->isEnabled()) return "<no enabled action>";
    QString title;
    QTimer watch;
    watch.setInterval(20);
    connect(&watch, &QTimer::timeout, this, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            title = modal->windowTitle();
            modal->close();
        }
    });
    watch.start();
    action->trigger();
    watch.stop();
    return title;
}

void MainWindowTest::menuOpensEachIdentityDialogModally() {
    QCOMPARE(TitleOfDialogOpenedBy(identity::kMenuAbout), QString("About This Control"));
    // Outside factory mode the identity editors are greyed, and a stray command opens nothing.
    QCOMPARE(TitleOfDialogOpenedBy(identity::kMenuEditCameraId), QString("<no enabled action>"));
    window_->Logic().OnMenuCommand(identity::kMenuEditCameraId);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    window_->Logic().ToggleControlMode();
    QVERIFY(window_->Logic().FactoryMode());
    QCOMPARE(TitleOfDialogOpenedBy(identity::kMenuEditCameraId), QString("Camera Id"));
    QCOMPARE(TitleOfDialogOpenedBy(identity::kMenuEditUserId), QString("User Id"));
    QVERIFY(platform_.boxes.empty());
}

using gui::SpinButtons;
using gui::WidgetBinding;

void MainWindowTest::spinOnlyAnnouncesItsStepsAndComboListsKeepTheirSelection() {
    QWidget parent;
    auto* edit = new QLineEdit(&parent);
    auto* spin = new SpinButtons(&parent);
    spin->SetBuddy(edit);
    spin->SetRange(100, -5);
    QCOMPARE(spin->Low(), -5);
    spin->SetPosition(250);
    QCOMPARE(spin->Position(), 100);
    QCOMPARE(edit->text(), QString("100"));

    QSignalSpy steps(spin, &SpinButtons::stepRequested);
    spin->Step(1);
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(steps.count(), 2);
    QCOMPARE(steps.at(1).at(0).toInt(), -1);
    QCOMPARE(spin->Position(), 100);  // the window logic moves it, not the click

    auto* combo = new QComboBox(&parent);
    WidgetBinding controls;
    controls.Bind(7, combo);
    QSignalSpy activated(combo, &QComboBox::currentIndexChanged);

    for (const char* item : {"Off", "LevelHigh", "RisingEdge"}) controls.AddItem(7, item);
    QCOMPARE(controls.Selection(7), -1);  // adding selects nothing
    controls.SetItemValue(7, 2, 4);
    controls.SetSelection(7, 2);
    QCOMPARE(controls.InsertItem(7, 1, "LevelLow"), 1);
    QCOMPARE(controls.Selection(7), 3);
    QCOMPARE(controls.ItemValue(7, 3), 4);  // the code moves with its item
    controls.RemoveItem(7, 3);
    QCOMPARE(controls.Selection(7), -1);  // the selected item is gone: no neighbour is chosen
    controls.SetSelection(7, 9);
    QCOMPARE(controls.Selection(7), -1);
    QCOMPARE(activated.count(), 0);  // the program's selections are no operator's choice

    controls.Enable(7, false);
    parent.setEnabled(false);
    controls.Enable(7, true);
    QVERIFY(controls.IsEnabled(7));  // its own state, whatever greys the window
    controls.Show(7, false);
    QVERIFY(!controls.IsShown(7));
    QVERIFY(!controls.Exists(8));
    QCOMPARE(controls.GetText(8), std::string());
}

void MainWindowTest::columnsAreBalancedInOrderAndFewerInANarrowWindow() {
    using gui::BalanceColumns;
    using gui::TallestRun;
    const struct {
        std::vector<int> heights;
        int columns;
        std::vector<size_t> starts;
    } cases[] = {{{1, 1, 1, 1, 1, 1}, 3, {2, 4}},
                 {{4, 4, 1, 1, 1, 1}, 3, {1, 2}},
                 {{1, 2, 3, 4, 5}, 3, {3, 4}},
                 {{9}, 3, {}},
                 {{}, 3, {}}};
    for (const auto& c : cases) QCOMPARE(BalanceColumns(c.heights, c.columns), c.starts);
    QCOMPARE(TallestRun({1, 2, 3, 4, 5}, {2, 4}), 7);

    // The left edges of a page's group boxes, one per column.
    auto columnsShown = [](QScrollArea* page) {
        std::set<int> lefts;
        for (auto* box : page->widget()->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
            lefts.insert(box->x());
            if (box->geometry().right() >= page->viewport()->width()) return -1;  // cut off at the right
        }
        return static_cast<int>(lefts.size());
    };
    int narrowed = 0;
    for (const auto& layout : ui::PageLayouts()) {
        WidgetBinding controls;
        QWidget window;
        auto* page = qobject_cast<QScrollArea*>(gui::BuildPage(layout, controls, {}, 10000, &window));
        QVERIFY(page != nullptr);
        const auto* columns = static_cast<gui::ColumnLayout*>(page->widget()->layout());
        window.show();
        const int wide = qMax(page->widget()->sizeHint().width() + 40, 1200);
        // A full-width window, the tab page of a 1024x768 screen, and one with room for one column only
        // (beside a vertical scroll bar).
        const int one = columns->minimumSize().width() + page->verticalScrollBar()->sizeHint().width() + 4;
        for (int width : {wide, 980, one}) {
            page->setGeometry(0, 0, width, 600);
            QCoreApplication::processEvents();
            const QString what = QString("%1 at %2 pixels").arg(layout.page.title).arg(width);
            QVERIFY2(!page->horizontalScrollBar()->isVisible(), qPrintable(what));
            const int shown = columnsShown(page);
            QVERIFY2(shown >= 1, qPrintable(what));
            QCOMPARE(shown, columns->ColumnsFor(page->viewport()->width()));
            if (width == wide) QCOMPARE(shown, qMin(columns->MostColumns(), columns->count()));
            if (width == 980 && shown < columns->MostColumns()) ++narrowed;
            if (width == one) QCOMPARE(shown, 1);
            // The page grows downwards instead, and scrolls there.
            QCOMPARE(page->widget()->height(),
                     qMax(page->viewport()->height(), page->widget()->heightForWidth(page->viewport()->width())));
        }
    }
    QVERIFY(narrowed > 0);  // at least one page really needed the fallback
}

void MainWindowTest::areaDialogOffersTheFactoryAreaOnlyWhereAllowed() {
    using gui::AreaSelectDialog;
    using ui::AreaDialogMode;
    const struct {
        AreaDialogMode mode;
        bool factory;
        int items;
        const char* title;
    } cases[] = {{AreaDialogMode::Store, false, 3, "Store setting data"},
                 {AreaDialogMode::Store, true, 4, "Store setting data"},
                 {AreaDialogMode::Load, false, 4, "Load setting data"}};
    for (const auto& c : cases) {
        AreaSelectDialog dialog(tool_.core->Get(), c.mode, c.factory);
        auto* areas = dialog.Controls().As<QComboBox>(ui::kAreaCombo);
        QCOMPARE(areas->count(), c.items);
        QCOMPARE(areas->currentIndex(), 0);
        QCOMPARE(dialog.windowTitle(), QString(c.title));
        areas->setCurrentIndex(1);
        dialog.accept();
        QCOMPARE(dialog.Result(), std::optional<int>(c.items == 3 ? 2 : 1));
    }
    AreaSelectDialog cancelled(tool_.core->Get(), AreaDialogMode::Load, false);
    cancelled.reject();
    QVERIFY(!cancelled.Result().has_value());
}

void MainWindowTest::progressWindowKeepsACancelPressedThenTakenAwayGreyed() {
    gui::ProgressWindow progress(nullptr);
    progress.show();
    progress.AllowCancel(true);
    QTest::mouseClick(progress.CancelButton(), Qt::LeftButton);
    QVERIFY(progress.CancelRequested());
    // Taking Cancel away while the press waits to be seen keeps it on screen, greyed.
    progress.AllowCancel(false);
    QVERIFY(progress.CancelButton()->isVisible());
    QVERIFY(!progress.CancelButton()->isEnabled());
}

#pragma once
// "Find Parameter" (Ctrl+F in the main window): a search field over the parameters' captions,
// camera commands and control ids that lists what matches with its page and group. Choosing a match
// switches to its page, gives its control the focus and outlines it for a moment.

#include <QDialog>
#include <QFrame>
#include <QPointer>
#include <vector>

#include "ui/search/ParameterSearch.h"

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace vr::gui {

class MainWindow;

class ParameterSearchWindow : public QDialog {
    Q_OBJECT
public:
    // How long a chosen control stays outlined.
    static constexpr int kHighlightMs = 2500;
    enum Column { kCaption, kCommand, kControlId, kPage, kGroup, kColumnCount };

    explicit ParameterSearchWindow(MainWindow& window);

    // Shows the window with its field focused and its text selected, ready for a new query.
    void OpenForQuery();
    QLineEdit* Field() const { return field_; }
    QTreeWidget* Results() const { return results_; }
    // Goes to a listed parameter; false when it is not on a page the window shows now.
    bool Choose(uint32_t ctrlId);
    // The control outlined now, or nullptr.
    QWidget* Highlighted() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refresh();
    void ChooseItem(QTreeWidgetItem* item);
    // The parameters the operator can reach now: on a page that has a tab and shown on it.
    std::vector<const ui::SearchEntry*> Available() const;
    void Outline(QWidget* control);

    MainWindow& window_;
    QLineEdit* field_ = nullptr;
    QTreeWidget* results_ = nullptr;
    QPointer<QFrame> outline_;
    QPointer<QWidget> outlined_;
};

}  // namespace vr::gui

#pragma once
// The columns of a tab page: its group boxes, in order, in columns of balanced height, each column as
// wide as its widest box and the room left shared out evenly. The layout takes as many columns as fit
// the width it is given, up to its most, so a narrow screen gets fewer, taller columns and the page
// scrolls only downwards.

#include <QLayout>
#include <vector>

namespace vr::gui {

class ColumnLayout : public QLayout {
public:
    explicit ColumnLayout(int mostColumns, QWidget* parent = nullptr);
    ~ColumnLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

    int MostColumns() const { return mostColumns_; }
    // The number of columns a width holds.
    int ColumnsFor(int width) const;

private:
    struct Plan {
        std::vector<size_t> starts;  // where each column after the first starts
        std::vector<int> widths;     // each column's width: its widest box's least or preferred
        int width = 0;               // theirs and the gaps between them
    };
    // The gap between columns: the layout's own spacing, else the style's.
    int ColumnGap() const;
    Plan PlanFor(int columns, bool preferred = false) const;
    // Places the items for a width (or only measures, with apply false); returns the height used.
    int Arrange(const QRect& rect, bool apply) const;

    int mostColumns_;
    std::vector<QLayoutItem*> items_;
};

// Splits item heights, in order, into `columns` consecutive runs with the smallest tallest run;
// returns the index where each run after the first starts.
std::vector<size_t> BalanceColumns(const std::vector<int>& heights, int columns);
// The height of the tallest run for those starts.
int TallestRun(const std::vector<int>& heights, const std::vector<size_t>& starts);

}  // namespace vr::gui

#include "ColumnLayout.h"

#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <climits>

namespace vr::gui {

ColumnLayout::ColumnLayout(int mostColumns, QWidget* parent)
    : QLayout(parent), mostColumns_(std::max(1, mostColumns)) {}

ColumnLayout::~ColumnLayout() {
    for (QLayoutItem* item : items_) delete item;
}

void ColumnLayout::addItem(QLayoutItem* item) {
    items_.push_back(item);
}

int ColumnLayout::count() const {
    return static_cast<int>(items_.size());
}

QLayoutItem* ColumnLayout::itemAt(int index) const {
    return index >= 0 && index < count() ? items_[static_cast<size_t>(index)] : nullptr;
}

QLayoutItem* ColumnLayout::takeAt(int index) {
    if (index < 0 || index >= count()) return nullptr;
    QLayoutItem* item = items_[static_cast<size_t>(index)];
    items_.erase(items_.begin() + index);
    return item;
}

Qt::Orientations ColumnLayout::expandingDirections() const {
    return Qt::Horizontal;
}

bool ColumnLayout::hasHeightForWidth() const {
    return true;
}

int ColumnLayout::heightForWidth(int width) const {
    return Arrange(QRect(0, 0, width, 0), false);
}

int ColumnLayout::ColumnGap() const {
    const int own = spacing();
    if (own >= 0) return own;
    const QWidget* owner = parentWidget();
    return owner != nullptr ? owner->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, owner) : 6;
}

ColumnLayout::Plan ColumnLayout::PlanFor(int columns, bool preferred) const {
    std::vector<int> heights;
    for (const QLayoutItem* item : items_) heights.push_back(item->sizeHint().height() + ColumnGap());
    Plan plan;
    plan.starts = BalanceColumns(heights, columns);
    plan.widths.assign(plan.starts.size() + 1, 0);
    size_t column = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (column < plan.starts.size() && i == plan.starts[column]) ++column;
        const QSize size = preferred ? items_[i]->sizeHint() : items_[i]->minimumSize();
        plan.widths[column] = std::max(plan.widths[column], size.width());
    }
    plan.width = static_cast<int>(plan.starts.size()) * ColumnGap();
    for (int w : plan.widths) plan.width += w;
    return plan;
}

int ColumnLayout::ColumnsFor(int width) const {
    const QMargins m = contentsMargins();
    const int room = width - m.left() - m.right();
    int columns = std::min(mostColumns_, std::max(1, count()));
    while (columns > 1 && PlanFor(columns).width > room) --columns;
    return columns;
}

QSize ColumnLayout::sizeHint() const {
    // Each column as wide as its widest box would like.
    const QMargins m = contentsMargins();
    const int width = PlanFor(mostColumns_, true).width + m.left() + m.right();
    return {width, heightForWidth(width)};
}

QSize ColumnLayout::minimumSize() const {
    // One column wide and one item high: the height a width needs is its heightForWidth.
    const QMargins m = contentsMargins();
    const Plan plan = PlanFor(1);
    int tallest = 0;
    for (const QLayoutItem* item : items_) tallest = std::max(tallest, item->minimumSize().height());
    return {plan.width + m.left() + m.right(), tallest + m.top() + m.bottom()};
}

void ColumnLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    Arrange(rect, true);
}

int ColumnLayout::Arrange(const QRect& rect, bool apply) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    const Plan plan = PlanFor(ColumnsFor(rect.width()));
    const int gap = ColumnGap();
    const int extra = std::max(0, area.width() - plan.width) / static_cast<int>(plan.widths.size());
    size_t column = 0;
    int x = area.x(), y = 0, tallest = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (column < plan.starts.size() && i == plan.starts[column]) {
            x += plan.widths[column] + extra + gap;
            ++column;
            y = 0;
        }
        QLayoutItem* item = items_[i];
        const int width = plan.widths[column] + extra;
        const int height = item->hasHeightForWidth() ? item->heightForWidth(width) : item->sizeHint().height();
        if (apply) item->setGeometry(QRect(x, area.y() + y, width, height));
        y += height;
        tallest = std::max(tallest, y);
        y += gap;
    }
    const QMargins m = contentsMargins();
    return tallest + m.top() + m.bottom();
}

int TallestRun(const std::vector<int>& heights, const std::vector<size_t>& starts) {
    int tallest = 0, run = 0;
    for (size_t i = 0; i < heights.size(); ++i) {
        if (std::find(starts.begin(), starts.end(), i) != starts.end()) run = 0;
        run += heights[i];
        tallest = std::max(tallest, run);
    }
    return tallest;
}

std::vector<size_t> BalanceColumns(const std::vector<int>& heights, int columns) {
    const size_t n = heights.size();
    const size_t k = static_cast<size_t>(std::max(1, std::min<int>(columns, static_cast<int>(n))));
    if (n == 0) return {};
    std::vector<long> prefix(n + 1, 0);
    for (size_t i = 0; i < n; ++i) prefix[i + 1] = prefix[i] + heights[i];
    // best[j][i]: the smallest tallest run when the first i items go into j runs.
    std::vector<std::vector<long>> best(k + 1, std::vector<long>(n + 1, LONG_MAX));
    std::vector<std::vector<size_t>> cut(k + 1, std::vector<size_t>(n + 1, 0));
    best[0][0] = 0;
    for (size_t j = 1; j <= k; ++j)
        for (size_t i = 1; i <= n; ++i)
            for (size_t s = j - 1; s < i; ++s) {
                if (best[j - 1][s] == LONG_MAX) continue;
                const long tallest = std::max(best[j - 1][s], prefix[i] - prefix[s]);
                if (tallest < best[j][i]) {
                    best[j][i] = tallest;
                    cut[j][i] = s;
                }
            }
    std::vector<size_t> starts;
    for (size_t j = k, i = n; j > 1; --j) {
        i = cut[j][i];
        starts.insert(starts.begin(), i);
    }
    return starts;
}

}  // namespace vr::gui

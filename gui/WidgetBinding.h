#pragma once
// Control access over real widgets: the window logic names a control by its numeric id and this
// binding finds the widget that stands for it.

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "platform/ControlAccess.h"

class QListWidget;

namespace vr::gui {

// The lamp picture of the communication dialog's line status when online (502 when offline).
inline constexpr int32_t kLampOnline = 503;

class WidgetBinding : public platform::IControlAccess {
public:
    // The widget also gets the id as its object name, so tests and screen readers can find it.
    void Bind(uint32_t id, QWidget* widget);
    QWidget* Widget(uint32_t id) const;
    template <typename T>
    T* As(uint32_t id) const {
        return qobject_cast<T*>(Widget(id));
    }
    // The id bound to a widget, or 0.
    uint32_t IdOf(const QWidget* widget) const;

    bool Exists(uint32_t id) const override;
    std::string GetText(uint32_t id) const override;
    void SetText(uint32_t id, const std::string& text) override;
    void ClearItems(uint32_t id) override;
    int AddItem(uint32_t id, const std::string& text) override;
    int ItemCount(uint32_t id) const override;
    std::string ItemText(uint32_t id, int index) const override;
    void SetItemValue(uint32_t id, int index, int32_t data) override;
    int32_t ItemValue(uint32_t id, int index) const override;
    int Selection(uint32_t id) const override;
    void SetSelection(uint32_t id, int index) override;
    int InsertItem(uint32_t id, int index, const std::string& text) override;
    void RemoveItem(uint32_t id, int index) override;
    // A traffic list's line: queued with the others for the next paint, where the oldest beyond the
    // bound go in one step. The list follows its newest line unless the operator scrolled back.
    void AddItemBounded(uint32_t id, const std::string& text, int maxCount) override;
    void SetSpinRange(uint32_t id, int32_t minValue, int32_t maxValue) override;
    void GetSpinRange(uint32_t id, int32_t& minValue, int32_t& maxValue) const override;
    void SetSpinPos(uint32_t id, int32_t pos) override;
    int32_t GetSpinPos(uint32_t id) const override;
    void SetCheck(uint32_t id, bool checked) override;
    bool GetCheck(uint32_t id) const override;
    void Enable(uint32_t id, bool enable) override;
    bool IsEnabled(uint32_t id) const override;
    void Show(uint32_t id, bool show) override;
    bool IsShown(uint32_t id) const override;
    // Status strips (302 red, 303 green) and the line-status lamps (502, 503).
    void SetPicture(uint32_t id, int32_t resource) override;
    int32_t GetPicture(uint32_t id) const;

private:
    // The list widget of id with its pending lines added; nullptr when w is no list.
    QListWidget* FlushedList(uint32_t id, QWidget* w) const;

    QHash<uint32_t, QPointer<QWidget>> widgets_;
    mutable QHash<uint32_t, QStringList> pending_;
    QHash<uint32_t, int> bounds_;  // lists that keep at most this many lines
    QHash<uint32_t, int32_t> pictures_;
};

// A lamp in the status strip's colours, at the size of a line of text.
QPixmap LineStatusPixmap(bool online, int size, qreal devicePixelRatio);

}  // namespace vr::gui

#include "Features.h"

#include "MainWindow.h"

namespace vr::gui {

Features::Features(MainWindow& window) : window_(window) {}

Features::~Features() = default;

}  // namespace vr::gui

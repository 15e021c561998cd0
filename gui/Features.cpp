#include "Features.h"

#include "MainWindow.h"
#include "lut/PlainLutTables.h"
#include "lut/TableFiles.h"

namespace vr::gui {

Features::Features(MainWindow& window)
    : window_(window),
      lutTables_(std::make_unique<lut::PlainLutTables>()),
      tableFiles_(std::make_unique<lut::TableFiles>(window.Services(), *lutTables_, window)) {
    tableFiles_->Register(window_.Logic().Router());
}

Features::~Features() = default;

}  // namespace vr::gui

// The main window's features that come with later work. Until they are filled in, each tells the
// operator plainly that it is not available, and a list that starts one goes back to the camera's
// value, so nothing looks as if it had worked.

#include "app/Platform.h"
#include "ui/main/ControlIds.h"
#include "ui/main/CtrlToolDlg.h"

namespace vr::ui {

void CCtrlToolDlg::ReportNotAvailable(const std::string& feature) {
    app::Platform().MessageBox(feature + " is not available in this version of the tool.", app::kAppTitle,
                               app::MsgIcon::Information);
}

void CCtrlToolDlg::OpenSettingsFile() {
    ReportNotAvailable("Loading a settings file");
}
void CCtrlToolDlg::SaveAllData() {
    ReportNotAvailable("Saving all settings to a file");
}
void CCtrlToolDlg::SaveShippingData() {
    ReportNotAvailable("Saving the shipping settings to a file");
}
void CCtrlToolDlg::LoadSettingsFromArea() {
    ReportNotAvailable("Loading settings from a memory area");
}
void CCtrlToolDlg::StoreSettingsToArea() {
    ReportNotAvailable("Storing settings into a memory area");
}
void CCtrlToolDlg::EditUserId() {
    ReportNotAvailable("Editing the user id");
}
void CCtrlToolDlg::EditCameraId() {
    ReportNotAvailable("Editing the camera id");
}
void CCtrlToolDlg::OpenLutFile() {
    ReportNotAvailable("Opening a LUT file");
}
void CCtrlToolDlg::SaveLutFile() {
    ReportNotAvailable("Saving a LUT file");
}
void CCtrlToolDlg::LoadAllLutTables() {
    ReportNotAvailable("Loading all LUT tables");
}
void CCtrlToolDlg::ShowAbout() {
    ReportNotAvailable("The device information window");
}
void CCtrlToolDlg::ShowCommunicationDialog() {
    ReportNotAvailable("The communication dialog");
}
void CCtrlToolDlg::ShowTerminal() {
    ReportNotAvailable("The terminal window");
}
void CCtrlToolDlg::ShowLutEditors() {
    ReportNotAvailable("The LUT editor");
}

void CCtrlToolDlg::OnWhiteBalanceSelected(int index) {
    (void)index;
    ReportNotAvailable("White balance");
    RestoreCommitted(id::kWhiteBalance);
}

void CCtrlToolDlg::OnGainAutoSelected(int index) {
    (void)index;
    ReportNotAvailable("Gain auto");
    RestoreCommitted(id::kGainAuto);
}

void CCtrlToolDlg::RecalibrateShading() {
    ReportNotAvailable("Shading calibration");
}
void CCtrlToolDlg::RecalibratePixelGain() {
    ReportNotAvailable("Pixel gain recalibration");
}
void CCtrlToolDlg::RecalibratePixelBlack() {
    ReportNotAvailable("Pixel black recalibration");
}
void CCtrlToolDlg::RunAutoSetting() {
    ReportNotAvailable("Auto Setting");
}
void CCtrlToolDlg::FactoryRecalibratePixelGain() {
    ReportNotAvailable("Factory pixel gain recalibration");
}
void CCtrlToolDlg::FactoryRecalibratePixelBlack() {
    ReportNotAvailable("Factory pixel black recalibration");
}
void CCtrlToolDlg::WriteXmlVersion() {
    ReportNotAvailable("Writing the XML version");
}
void CCtrlToolDlg::ReadXmlVersion() {
    ReportNotAvailable("Reading the XML version");
}
void CCtrlToolDlg::ShadingToFile() {
    ReportNotAvailable("Reading shading data to a file");
}
void CCtrlToolDlg::ShadingFromFile() {
    ReportNotAvailable("Writing shading data from a file");
}
void CCtrlToolDlg::StoreShadingInFlash() {
    ReportNotAvailable("Storing shading data in flash memory");
}
void CCtrlToolDlg::CameraReset() {
    ReportNotAvailable("Camera reset");
}
void CCtrlToolDlg::WriteModelId() {
    ReportNotAvailable("Writing the camera model id");
}
void CCtrlToolDlg::StoreAllAreas() {
    ReportNotAvailable("Storing into all memory areas");
}

}  // namespace vr::ui

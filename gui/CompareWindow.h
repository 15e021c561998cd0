#pragma once
// The comparison of a settings file with the camera: one table row for each setting whose value in
// the file is not the camera's, each setting the file lacks and each line naming a command the
// camera's model lacks, with a button that loads the file into the camera.

#include <QDialog>
#include <vector>

#include "settings/SettingsCompare.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace vr::gui {

class CompareWindow : public QDialog {
    Q_OBJECT
public:
    enum Column { kName, kCaption, kFile, kCamera, kColumnCount };

    CompareWindow(const QString& path, const std::vector<settings::SettingDifference>& differences,
                  QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }
    QPushButton* LoadButton() const { return load_; }
    QLabel* Summary() const { return summary_; }

    // Runs the window modally; true when the operator chose to load the file.
    static bool Choose(const QString& path, const std::vector<settings::SettingDifference>& differences,
                       QWidget* parent);

private:
    QLabel* summary_;
    QTableWidget* table_;
    QPushButton* load_;
};

}  // namespace vr::gui

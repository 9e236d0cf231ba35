#pragma once
// The field dialog: which layer of a GIS file, which field is the name, the
// value, the coordinates of a CSV and the time, with a preview of the first
// rows that follows every choice. The state is a FieldChoiceModel; the widgets
// only mirror it.
#include "gui/FieldChoiceModel.h"

#include <QDialog>
#include <array>

class QComboBox;
class QFormLayout;
class QTableWidget;

namespace kartello::gui {

class FieldDialog : public QDialog {
    Q_OBJECT
public:
    FieldDialog(FieldChoiceModel model, const QString& fileName, QWidget* parent = nullptr);

    FieldChoice choice() const { return model_.choice(); }

private:
    void fillRoles();
    void showPreview();

    FieldChoiceModel model_;
    QFormLayout* form_ = nullptr;
    QComboBox* layer_ = nullptr;
    std::array<QComboBox*, FieldChoiceModel::kRoles> roles_{};
    QTableWidget* preview_ = nullptr;
};

} // namespace kartello::gui

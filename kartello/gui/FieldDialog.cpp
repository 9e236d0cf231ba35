#include "gui/FieldDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kartello::gui {

namespace {

struct RoleControl {
    const char* objectName;
    const char* label;
};

constexpr std::array<RoleControl, FieldChoiceModel::kRoles> kRoleControls{{
    {"cboName", "Name field"},
    {"cboValue", "Value field"},
    {"cboLatitude", "Latitude field"},
    {"cboLongitude", "Longitude field"},
    {"cboTime", "Time field"},
}};

} // namespace

FieldDialog::FieldDialog(FieldChoiceModel model, const QString& fileName, QWidget* parent)
    : QDialog(parent), model_(std::move(model)) {
    setWindowTitle(QStringLiteral("Fields of ") + fileName);
    form_ = new QFormLayout;
    layer_ = new QComboBox(this);
    layer_->setObjectName(QStringLiteral("cboLayer"));
    layer_->addItems(model_.layerNames());
    layer_->setCurrentIndex(model_.layer());
    form_->addRow(QStringLiteral("Layer"), layer_);
    form_->setRowVisible(layer_, model_.layerNames().size() > 1);
    connect(layer_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.setLayer(index);
        fillRoles();
    });
    for (int r = 0; r < FieldChoiceModel::kRoles; ++r) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(kRoleControls[r].objectName));
        form_->addRow(QString::fromLatin1(kRoleControls[r].label), combo);
        connect(combo, &QComboBox::currentIndexChanged, this, [this, r](int option) {
            model_.select(static_cast<FieldChoiceModel::Role>(r), option);
            showPreview();
        });
        roles_[r] = combo;
    }

    preview_ = new QTableWidget(this);
    preview_->setObjectName(QStringLiteral("grdPreview"));
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->verticalHeader()->setVisible(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    layout->addWidget(preview_);
    layout->addWidget(buttons);
    fillRoles();
    resize(560, 420);
}

void FieldDialog::fillRoles() {
    for (int r = 0; r < FieldChoiceModel::kRoles; ++r) {
        const auto role = static_cast<FieldChoiceModel::Role>(r);
        const QSignalBlocker quiet(roles_[r]);
        roles_[r]->clear();
        roles_[r]->addItems(model_.options(role));
        roles_[r]->setCurrentIndex(model_.selected(role));
        form_->setRowVisible(roles_[r], model_.hasRole(role));
    }
    showPreview();
}

void FieldDialog::showPreview() {
    const QStringList header = model_.previewHeader();
    const std::vector<QStringList> rows = model_.previewRows();
    preview_->clear();
    preview_->setColumnCount(static_cast<int>(header.size()));
    preview_->setRowCount(static_cast<int>(rows.size()));
    preview_->setHorizontalHeaderLabels(header);
    for (size_t i = 0; i < rows.size(); ++i)
        for (qsizetype c = 0; c < rows[i].size(); ++c)
            preview_->setItem(static_cast<int>(i), static_cast<int>(c), new QTableWidgetItem(rows[i][c]));
    preview_->resizeColumnsToContents();
}

} // namespace kartello::gui

#include "gui/FieldChoiceModel.h"

namespace kartello::gui {

namespace {

QString caption(FieldChoiceModel::Role role) {
    switch (role) {
    case FieldChoiceModel::Name:
        return QStringLiteral("Name");
    case FieldChoiceModel::Value:
        return QStringLiteral("Value");
    case FieldChoiceModel::Latitude:
        return QStringLiteral("Latitude");
    case FieldChoiceModel::Longitude:
        return QStringLiteral("Longitude");
    case FieldChoiceModel::Time:
        return QStringLiteral("Time");
    }
    return QString();
}

// The field of choice that plays role.
template <typename Choice> auto& roleField(Choice& choice, FieldChoiceModel::Role role) {
    switch (role) {
    case FieldChoiceModel::Name:
        return choice.nameField;
    case FieldChoiceModel::Value:
        return choice.valueField;
    case FieldChoiceModel::Latitude:
        return choice.latField;
    case FieldChoiceModel::Longitude:
        return choice.lonField;
    case FieldChoiceModel::Time:
        break;
    }
    return choice.timeField;
}

} // namespace

FieldChoiceModel::FieldChoiceModel(FieldCatalog catalog, const FieldChoice& offered)
    : catalog_(std::move(catalog)) {
    const QStringList names = layerNames();
    const qsizetype offeredLayer = offered.layer.isEmpty() ? -1 : names.indexOf(offered.layer);
    setLayer(offeredLayer >= 0 ? static_cast<int>(offeredLayer) : catalog_.defaultLayer);
    for (int r = 0; r < kRoles; ++r) {
        const Role role = static_cast<Role>(r);
        const QString& wanted = roleField(offered, role);
        if (hasRole(role) && !wanted.isEmpty() && current().fields.contains(wanted))
            roleField(choice_, role) = wanted;
    }
}

QStringList FieldChoiceModel::layerNames() const {
    QStringList names;
    for (const LayerFields& layer : catalog_.layers)
        names << layer.name;
    return names;
}

void FieldChoiceModel::setLayer(int index) {
    if (index < 0 || index >= static_cast<int>(catalog_.layers.size()))
        return;
    layer_ = index;
    choice_ = current().defaults;
    choice_.layer = current().name;
    if (!catalog_.coordinateColumns) {
        choice_.latField.clear();
        choice_.lonField.clear();
    }
}

bool FieldChoiceModel::hasRole(Role role) const {
    return catalog_.coordinateColumns || (role != Latitude && role != Longitude);
}

QStringList FieldChoiceModel::options(Role role) const {
    QStringList list = current().fields;
    if (hasNoneEntry(role))
        list.prepend(QStringLiteral("none"));
    return list;
}

int FieldChoiceModel::selected(Role role) const {
    const qsizetype at = current().fields.indexOf(roleField(choice_, role));
    if (hasNoneEntry(role))
        return static_cast<int>(at + 1); // "none" when the field is empty
    return static_cast<int>(at);
}

void FieldChoiceModel::select(Role role, int option) {
    const int at = hasNoneEntry(role) ? option - 1 : option;
    if (!hasRole(role) || option < 0 || at >= current().fields.size())
        return;
    roleField(choice_, role) = at < 0 ? QString() : current().fields[at];
}

QStringList FieldChoiceModel::previewHeader() const {
    QStringList header;
    for (Role role : shownRoles())
        header << caption(role) + QStringLiteral(": ") + roleField(choice_, role);
    return header;
}

std::vector<QStringList> FieldChoiceModel::previewRows() const {
    std::vector<QStringList> rows;
    for (const QStringList& source : current().rows) {
        QStringList row;
        for (Role role : shownRoles())
            row << source.value(current().fields.indexOf(roleField(choice_, role)));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<FieldChoiceModel::Role> FieldChoiceModel::shownRoles() const {
    std::vector<Role> roles;
    for (int r = 0; r < kRoles; ++r) {
        const Role role = static_cast<Role>(r);
        if (hasRole(role) && !roleField(choice_, role).isEmpty())
            roles.push_back(role);
    }
    return roles;
}

} // namespace kartello::gui

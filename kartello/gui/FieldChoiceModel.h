#pragma once
// The state of the field dialog without its widgets: the layer, one field per
// role picked from the layer's fields, and the preview of the first rows as
// they would be read.
#include "places/FieldCatalog.h"

namespace kartello::gui {

class FieldChoiceModel {
public:
    enum Role { Name, Value, Latitude, Longitude, Time };
    static constexpr int kRoles = 5;

    // Starts from offered where its layer and fields exist in the file, from
    // the reader's defaults elsewhere.
    FieldChoiceModel(FieldCatalog catalog, const FieldChoice& offered);

    QStringList layerNames() const;
    int layer() const { return layer_; }
    // Another layer: its fields start from the reader's defaults again.
    void setLayer(int index);

    // Latitude and longitude are chosen only for a CSV file.
    bool hasRole(Role role) const;
    // The role's list: the layer's fields; the time's and the coordinates'
    // lists start with the entry that chooses none.
    QStringList options(Role role) const;
    int selected(Role role) const;
    void select(Role role, int option);

    // One column per role in use: its caption and the chosen field's texts.
    QStringList previewHeader() const;
    std::vector<QStringList> previewRows() const;

    FieldChoice choice() const { return choice_; }

private:
    const LayerFields& current() const { return catalog_.layers[static_cast<size_t>(layer_)]; }
    bool hasNoneEntry(Role role) const { return role != Name && role != Value; }
    std::vector<Role> shownRoles() const;

    FieldCatalog catalog_;
    int layer_ = 0;
    FieldChoice choice_;
};

} // namespace kartello::gui

#include "TessaraDesignerPlugin.h"

#include <QIcon>

#include "tessara/Tessara.h"

namespace tessara {

TessaraDesignerPlugin::TessaraDesignerPlugin(QObject* parent) : QObject(parent) {}

QString TessaraDesignerPlugin::name() const {
    return QStringLiteral("tessara::Tessara");
}

QString TessaraDesignerPlugin::group() const {
    return QStringLiteral("Item Views (Model-Based)");
}

QString TessaraDesignerPlugin::toolTip() const {
    return QStringLiteral("Editable grid");
}

QString TessaraDesignerPlugin::whatsThis() const {
    return QStringLiteral(
        "A grid of text cells with an in-place editor, row operations and clipboard paste.");
}

QString TessaraDesignerPlugin::includeFile() const {
    return QStringLiteral("tessara/Tessara.h");
}

QIcon TessaraDesignerPlugin::icon() const {
    return QIcon::fromTheme(QStringLiteral("x-office-spreadsheet"));
}

bool TessaraDesignerPlugin::isContainer() const {
    return false;
}

QWidget* TessaraDesignerPlugin::createWidget(QWidget* parent) {
    return new Tessara(parent);
}

bool TessaraDesignerPlugin::isInitialized() const {
    return initialized_;
}

void TessaraDesignerPlugin::initialize(QDesignerFormEditorInterface*) {
    initialized_ = true;
}

// A new grid on a form: a header row and a few places, sized to be seen.
QString TessaraDesignerPlugin::domXml() const {
    return QStringLiteral(R"(<ui language="c++">
 <widget class="tessara::Tessara" name="grid">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>320</width><height>160</height></rect>
  </property>
  <property name="Rows"><number>5</number></property>
  <property name="Cols"><number>4</number></property>
 </widget>
</ui>
)");
}

} // namespace tessara

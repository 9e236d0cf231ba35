// Qt Designer loads the plugin as any other widget plugin and puts the control on a form.
#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>
#include <memory>

#include "tessara/Tessara.h"

TEST(DesignerPlugin, LoadsAndMakesTheControlWithItsProperties) {
    QPluginLoader loader(QStringLiteral(TESSARA_PLUGIN_PATH));
    ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
    EXPECT_EQ(loader.metaData().value(QStringLiteral("IID")).toString(),
              QStringLiteral("org.qt-project.Qt.QDesignerCustomWidgetInterface"));
    auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(loader.instance());
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->name(), QStringLiteral("tessara::Tessara"));
    EXPECT_EQ(plugin->includeFile(), QStringLiteral("tessara/Tessara.h"));
    EXPECT_FALSE(plugin->isContainer());

    QWidget form;
    std::unique_ptr<QWidget> widget(plugin->createWidget(&form));
    auto* control = qobject_cast<tessara::Tessara*>(widget.get());
    ASSERT_NE(control, nullptr);
    // Designer's property editor writes through the meta-object.
    EXPECT_TRUE(control->setProperty("Rows", 7));
    EXPECT_EQ(control->Rows(), 7);

    EXPECT_TRUE(plugin->domXml().contains(QStringLiteral("<widget class=\"tessara::Tessara\"")));
}

// Hosts that bind by name at run time reach the members through Qt's meta-object system.
#include <QMetaMethod>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "tessara/Identity.h"
#include "tessara/Tessara.h"

using namespace tessara;

TEST(MetaObject, PropertiesAreReachableByTheirNames) {
    Tessara control;
    EXPECT_TRUE(control.setProperty("Rows", 6));
    EXPECT_TRUE(control.setProperty("Cols", 4));
    EXPECT_TRUE(control.setProperty("FixedCols", 0));
    EXPECT_TRUE(control.setProperty("Redraw", true));
    EXPECT_EQ(control.property("Rows").toInt(), 6);
    EXPECT_EQ(control.Cols(), 4);
    EXPECT_EQ(control.property("Version").toString(), QStringLiteral("1.01"));
    EXPECT_EQ(control.property("CellNoEdit").toUInt(), 0x80000016u);
    EXPECT_EQ(control.property("CantEdit").toString(), QStringLiteral("Can't edit that cell"));
    for (const auto& member : identity::kMembers) {
        const QByteArray name(member.name.data(), qsizetype(member.name.size()));
        const bool isProperty = control.metaObject()->indexOfProperty(name) >= 0;
        bool isMethod = false;
        for (int i = 0; i < control.metaObject()->methodCount(); ++i)
            isMethod |= control.metaObject()->method(i).name() == name;
        EXPECT_TRUE(isProperty || isMethod) << member.name;
    }
}

TEST(MetaObject, MethodsAndIndexedPropertiesAreInvokableByName) {
    Tessara control;
    control.setRows(4);
    control.setCols(3);
    ASSERT_TRUE(QMetaObject::invokeMethod(&control, "setTextMatrix", Q_ARG(int, 2), Q_ARG(int, 1),
                                          Q_ARG(QString, QStringLiteral("x"))));
    QString text;
    ASSERT_TRUE(QMetaObject::invokeMethod(&control, "TextMatrix", Q_RETURN_ARG(QString, text), Q_ARG(int, 2),
                                          Q_ARG(int, 1)));
    EXPECT_EQ(text, QStringLiteral("x"));
    int height = 0;
    ASSERT_TRUE(QMetaObject::invokeMethod(&control, "RowHeight", Q_RETURN_ARG(int, height), Q_ARG(int, 0)));
    EXPECT_EQ(height, kDefaultRowHeight);
    ASSERT_TRUE(QMetaObject::invokeMethod(&control, "DeleteRows", Q_ARG(int, 1), Q_ARG(int, 1)));
    EXPECT_EQ(control.Rows(), 3);
    ASSERT_TRUE(
        QMetaObject::invokeMethod(&control, "AutoColWidth", Q_ARG(int, 1), Q_ARG(int, 2500), Q_ARG(int, 0)));
    EXPECT_EQ(control.ColWidth(1), 2500);
}

TEST(MetaObject, EventsAreTheFirstSignalsInTheirInterfaceOrder) {
    Tessara control;
    const QMetaObject* meta = control.metaObject();
    QStringList signalNames;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
        if (meta->method(i).methodType() == QMetaMethod::Signal)
            signalNames << QString::fromLatin1(meta->method(i).name());
    QStringList expected;
    for (const auto& event : identity::kEvents)
        expected << QString::fromLatin1(event.name.data(), qsizetype(event.name.size()));
    // The change notifications of the properties follow the events.
    EXPECT_EQ(signalNames.mid(0, expected.size()), expected);
}

TEST(Identity, KeepsTheIdentifiersOfTheControl) {
    EXPECT_EQ(identity::kProgId, "TessaraOcx.Tessara");
    EXPECT_EQ(identity::kClassId, "{EAAF7467-B3FD-4CA7-8D66-7A4E6C1D2DC6}");
    EXPECT_EQ(identity::dispIdOf("TextMatrix"), 0x68030000u);
    EXPECT_EQ(identity::dispIdOf("Paste"), 0x6003004Bu);
    EXPECT_EQ(identity::dispIdOf("Version"), 0x6803002Bu);
    EXPECT_EQ(identity::dispIdOf("ErrorMsg"), 13u);
    EXPECT_EQ(identity::dispIdOf("Nothing"), 0u);
}

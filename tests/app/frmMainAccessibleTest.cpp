// What a screen reader is told about the main window: roles, names, descriptions and the path
// field's label. The announcements need a live bus: see the end-to-end accessibility test.
#include "WindowFixture.h"

#include <QAccessible>

#include <gtest/gtest.h>

namespace {

QAccessibleInterface* accessible(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

} // namespace

TEST(frmMainAccessible, RolesNamesDescriptionsAndTheFieldsLabel)
{
    WindowFixture f(QStringLiteral("accessible"));
    EXPECT_EQ(accessible(f.window.get())->role(), QAccessible::Window);
    EXPECT_EQ(accessible(f.child<QLabel>("lblPro"))->role(), QAccessible::StatusBar);
    EXPECT_EQ(accessible(f.child<QLabel>("lblPro"))->text(QAccessible::Name), QStringLiteral("Ready"));
    EXPECT_EQ(accessible(f.button("cmdBrowse"))->text(QAccessible::Name), QStringLiteral("Browse"));
    EXPECT_EQ(f.button("cmdBrowse")->Caption(), QStringLiteral("..."));
    EXPECT_EQ(accessible(f.button("cmdDelete"))->text(QAccessible::Description), QStringLiteral("Start Erasing"));
    QAccessibleInterface* field = accessible(f.cboPath());
    EXPECT_EQ(field->text(QAccessible::Name), QStringLiteral("Folder to Delete (drag and drop):"));
    const auto labels = field->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->object(), f.child<QLabel>("lblTitle"));
}

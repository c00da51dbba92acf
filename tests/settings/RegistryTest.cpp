#include "Registry.h"

#include <QDir>
#include <QFile>
#include <QPoint>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zarvok::settings;

namespace {

const QString kOrg = QStringLiteral("Vantrel Software");

QString keyFor(const QString& app, const QString& group = QStringLiteral("Main"))
{
    return QStringLiteral("Software\\") + kOrg + QLatin1Char('\\') + app + QLatin1Char('\\') + group;
}

QSettings storeFor(const QString& app)
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, kOrg, app);
}

void storeRaw(const QString& app, const QString& name, const QVariant& value)
{
    QSettings store = storeFor(app);
    store.setValue(QStringLiteral("Main/") + name, value);
    store.sync();
}

QString fileText(const QString& app)
{
    QFile file(storeFor(app).fileName());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

const RegValue kDefault = QStringLiteral("0");

} // namespace

TEST(CutAtNull, CutsAtTheFirstNul)
{
    struct Case {
        QString in, out;
    };
    const Case cases[] = {
        {QStringLiteral("abc"), QStringLiteral("abc")},
        {QString(), QString()},
        {QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("cd"), QStringLiteral("ab")},
        {QString(QChar(u'\0')) + QStringLiteral("x"), QString()},
        {QStringLiteral("a ") + QChar(u'\0') + QChar(u'\0'), QStringLiteral("a ")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CutAtNull(c.in), c.out) << c.in.toStdString();
}

TEST(RegReadValue, MissingKeyOrValueGivesTheDefault)
{
    EXPECT_EQ(RegReadValue(Hive::CurrentUser, keyFor(QStringLiteral("never-written")), QStringLiteral("MainLeft"),
                           kDefault),
              kDefault);
    RegWriteDword(Hive::CurrentUser, keyFor(QStringLiteral("one-value")), QStringLiteral("MainLeft"), 5);
    EXPECT_EQ(RegReadValue(Hive::CurrentUser, keyFor(QStringLiteral("one-value")), QStringLiteral("MainTop"),
                           kDefault),
              kDefault);
    EXPECT_EQ(RegReadValue(Hive::CurrentUser, QStringLiteral("NotSoftware"), QStringLiteral("MainTop"), kDefault),
              kDefault);
}

TEST(RegReadValue, TextComesBackAsTextCutAtNul)
{
    const QString app = QStringLiteral("text-values");
    storeRaw(app, QStringLiteral("Plain"), QStringLiteral("120"));
    storeRaw(app, QStringLiteral("WithNul"), QStringLiteral("12") + QChar(u'\0') + QStringLiteral("34"));
    storeRaw(app, QStringLiteral("Blanks"), QStringLiteral("  7  "));
    EXPECT_EQ(RegReadValue(Hive::CurrentUser, keyFor(app), QStringLiteral("Plain"), kDefault),
              RegValue(QStringLiteral("120")));
    EXPECT_EQ(RegReadValue(Hive::CurrentUser, keyFor(app), QStringLiteral("WithNul"), kDefault),
              RegValue(QStringLiteral("12")));
    EXPECT_EQ(RegReadValue(Hive::CurrentUser, keyFor(app), QStringLiteral("Blanks"), kDefault),
              RegValue(QStringLiteral("  7  ")));
}

TEST(RegReadValue, OtherTypesGiveTheDefault)
{
    const QString app = QStringLiteral("other-types");
    storeRaw(app, QStringLiteral("Binary"), QByteArray("\x01\x02\x03", 3));
    storeRaw(app, QStringLiteral("List"), QStringList{QStringLiteral("a"), QStringLiteral("b")});
    storeRaw(app, QStringLiteral("Point"), QPoint(3, 4));
    for (const char* name : {"Binary", "List", "Point"})
        EXPECT_EQ(RegReadValue(Hive::CurrentUser, keyFor(app), QString::fromLatin1(name), kDefault), kDefault)
            << name;
}

TEST(RegWriteDword, NumbersRoundTripIncludingNegatives)
{
    const QString app = QStringLiteral("numbers");
    struct Case {
        std::int32_t value;
        const char* stored;
    };
    const Case cases[] = {{-200, "ffffff38"}, {-15, "fffffff1"}, {0, "00000000"}, {1800, "00000708"},
                          {INT32_MIN, "80000000"}, {INT32_MAX, "7fffffff"}};
    for (const Case& c : cases) {
        ASSERT_EQ(RegWriteDword(Hive::CurrentUser, keyFor(app), QStringLiteral("MainTop"), c.value), RegOk);
        EXPECT_EQ(RegReadValue(Hive::CurrentUser, keyFor(app), QStringLiteral("MainTop"), kDefault),
                  RegValue(c.value));
#ifndef Q_OS_WIN
        EXPECT_TRUE(fileText(app).contains(QStringLiteral("MainTop=dword:") + QString::fromLatin1(c.stored)))
            << fileText(app).toStdString();
#endif
    }
}

TEST(RegWriteDword, CreatesEveryMissingLevel)
{
    const QString app = QStringLiteral("fresh-app");
    const QString key = keyFor(app, QStringLiteral("Main\\Deeper\\Deepest"));
    ASSERT_FALSE(QFile::exists(storeFor(app).fileName()));
    EXPECT_EQ(RegWriteDword(Hive::CurrentUser, key, QStringLiteral("MainLeft"), 42), RegOk);
    EXPECT_EQ(RegReadValue(Hive::CurrentUser, key, QStringLiteral("MainLeft"), kDefault), RegValue(42));
    EXPECT_TRUE(QFile::exists(storeFor(app).fileName()));
    EXPECT_EQ(RegReadValue(Hive::CurrentUser, keyFor(app), QStringLiteral("MainLeft"), kDefault), kDefault);
}

TEST(RegWriteDword, ReportsFailuresThroughItsResult)
{
    EXPECT_EQ(RegWriteDword(Hive::CurrentUser, QStringLiteral("Software\\OnlyOrg"), QStringLiteral("X"), 1),
              RegBadKeyPath);

    // A plain file where the organisation's folder should be: nothing can be created below it.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir().mkpath(config);
    QFile blocker(config + QStringLiteral("/Blocked Org"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_NE(RegWriteDword(Hive::CurrentUser, QStringLiteral("Software\\Blocked Org\\app\\Main"),
                            QStringLiteral("MainLeft"), 1),
              RegOk);
}

TEST(RegValueToNumber, TakesFiniteNumbersWithin32Bits)
{
    struct Case {
        RegValue value;
        std::optional<double> number;
    };
    const Case cases[] = {
        {QStringLiteral("120"), 120.0},          {QStringLiteral(" -45.5 "), -45.5},
        {RegValue(-200), -200.0},                {QStringLiteral("2147483647"), 2147483647.0},
        {QStringLiteral("left"), std::nullopt},  {QStringLiteral(""), std::nullopt},
        {QStringLiteral("inf"), std::nullopt},   {QStringLiteral("nan"), std::nullopt},
        {QStringLiteral("1e300"), std::nullopt}, {QStringLiteral("2147483648"), std::nullopt},
        {QStringLiteral("-2147483649"), std::nullopt},
        {QStringLiteral("dword:0000"), std::nullopt}, // a tagged number cut short
    };
    for (const Case& c : cases)
        EXPECT_EQ(RegValueToNumber(c.value), c.number) << ::testing::PrintToString(c.number);
}

TEST(RegReadValues, ReadOnlyTheUsersOwnWellFormedFile)
{
    // A system-wide file would answer for values the user's file lacks; it must not.
    QTemporaryDir system;
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, system.path());
    const QString app = QStringLiteral("no-fallback");
    QSettings systemStore(QSettings::NativeFormat, QSettings::SystemScope, kOrg, app);
    systemStore.setValue(QStringLiteral("Main/MainLeft"), QStringLiteral("dword:00000708"));
    systemStore.sync();
    ASSERT_EQ(systemStore.status(), QSettings::NoError);
    EXPECT_EQ(RegReadValue(Hive::CurrentUser, keyFor(app), QStringLiteral("MainLeft"), kDefault), kDefault);

    // Written together, read together.
    const QStringList both = {QStringLiteral("MainLeft"), QStringLiteral("MainTop")};
    ASSERT_EQ(RegWriteDwords(Hive::CurrentUser, keyFor(app), {{both[0], 30}, {both[1], -45}}), RegOk);
    EXPECT_EQ(RegReadValues(Hive::CurrentUser, keyFor(app), both, kDefault), (QList<RegValue>{30, -45}));

    // A file that cannot be parsed gives the default for every value, not the half it could read.
    QFile file(storeFor(app).fileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Main]\nMainLeft=dword:0000001e\n[Main\nMainTop=dword:000002d0\n");
    file.close();
    EXPECT_EQ(RegReadValues(Hive::CurrentUser, keyFor(app), both, kDefault), (QList<RegValue>{kDefault, kDefault}));
    // Every time, not only on the first read of the file (found by fuzzing).
    EXPECT_EQ(RegReadValues(Hive::CurrentUser, keyFor(app), both, kDefault), (QList<RegValue>{kDefault, kDefault}));
}

#include "platform/SettingsStore.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

// Where the store keeps its values and in what form they come back.
class TestSettingsStore : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path()); }

    void nativeStore() {
#ifdef Q_OS_WIN
        // The registry, under the program's name.
        QCOMPARE(SettingsStore().location(),
                 QStringLiteral("\\HKEY_CURRENT_USER\\Software\\KorvenEdit\\KorvenEdit"));
#else
        QCOMPARE(SettingsStore().location(), m_dir.path() + QStringLiteral("/KorvenEdit/KorvenEdit.ini"));
#endif
    }

    void valuesComeBackInTheirTextForms() {
        const QString section = QStringLiteral("TestSettingsStore");
        {
            SettingsStore store;
            store.setText(section, QStringLiteral("GamePath"), QStringLiteral("C:\\ゲーム\\ヴァルゾン\\"));
            store.setNumber(section, QStringLiteral("MainWidth"), 12000);
            store.setFlag(section, QStringLiteral("ReadOnly"), true);
            store.sync();
        }
        SettingsStore store;
        QCOMPARE(store.text(section, QStringLiteral("GamePath")), QStringLiteral("C:\\ゲーム\\ヴァルゾン\\"));
        QCOMPARE(store.text(section, QStringLiteral("MainWidth")), QStringLiteral("12000"));
        QCOMPARE(store.number(section, QStringLiteral("MainWidth"), 0), 12000.0);
        QCOMPARE(store.text(section, QStringLiteral("ReadOnly")), QStringLiteral("True"));
        QVERIFY(store.flag(section, QStringLiteral("ReadOnly"), false));
#ifdef Q_OS_WIN
        QSettings(store.location(), QSettings::NativeFormat).remove(section);
#endif
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/codedecoder.h"
#include "core/headlessfeedbackpresenter.h"
#include "core/showalertmanager.h"
#include "datarow.h"
#include "freshprogram.h"
#include "recordingnavigator.h"
#include "testmain.h"

class TestCodeDecoder : public QObject {
    Q_OBJECT

    std::optional<FreshProgram> program;
    HeadlessFeedbackPresenter presenter;

private Q_SLOTS:
    void init()
    {
        program.emplace();
        presenter.clear();
        ShowAlertManager::instance()->setPresenter(&presenter);
    }

    void cleanup() { program.reset(); }

    void splitsCodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kind"); // empty: no result
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("model");
        dataRow("transmitter, 12 characters", "20AA10000001", "SuperBox", "20AA10000001", "20AAS");
        dataRow("20 is a transmitter whatever follows", "2049D0000001", "SuperBox", "2049D0000001",
                "2049D");
        dataRow("on/off light", "211300001230", "S", "211300001230", "2113S");
        dataRow("dimmer", "212200004560", "D", "212200004560", "2122S");
        dataRow("curtain", "213100007890", "C", "213100007890", "2131S");
        dataRow("two-wire, lower case", "2113d0001230", "S", "2113d0001230", "2113D");
        dataRow("kind not a digit", "21a3x0001230", "", "", "");
        dataRow("long text: middle ignored", "2122Dmiddle-part-00004560", "D", "212200004560",
                "2122D");
        dataRow("11 characters", "21130000123", "", "", "");
        dataRow("wrong family", "311300001230", "", "", "");
        dataRow("kind 4", "214300001230", "", "", "");
        dataRow("empty", "", "", "", "");
    }
    void splitsCodes()
    {
        QFETCH(QString, text);
        QFETCH(QString, kind);
        QFETCH(QString, id);
        QFETCH(QString, model);
        const auto code = CodeDecoder::getNeedString(text);
        QCOMPARE(code.has_value(), !kind.isEmpty());
        if (code)
            QCOMPARE(*code, (CodeDecoder::Decoded{kind, id, model}));
    }

    void opensTheRightEnrolment_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("toast");
        dataRow("transmitter in transmitter mode", "20AA10000001", "SuperBox", 0,
                "transmitter 20AA10000001", "Model:ZEVO-20AA\nWireless Transmitter", "");
        dataRow("transmitter in device mode", "20AA10000001", "Device", 0,
                "transmitter 20AA10000001", "Model:ZEVO-20AA\nWireless Transmitter", "");
        dataRow("controller in transmitter mode", "211300001230", "SuperBox", 2, "", "",
                "Please scan the transmitter first");
        dataRow("three-gang two-wire light", "2113D0001230", "Device", 0, "device 2113D0001230 3 S",
                "Model:ZEVO-2113\nLighting Controller\nGroups:3\nWires:2", "");
        dataRow("scanned in lower case: one ID for one device", "2113d000123e", "Device", 0,
                "device 2113D000123E 3 S",
                "Model:ZEVO-2113\nLighting Controller\nGroups:3\nWires:2", "");
        dataRow("curtain", "213100007890", "Device", 0, "device 213100007890 1 C",
                "Model:ZEVO-2131\nCurtain Controller\nGroups:1\nWires:1", "");
        dataRow("group count not a digit", "211X00001230", "Device", 1, "", "", "Invalid BarCode");
        dataRow("a comma would split the enrolment line", "2113000,1230", "Device", 1, "", "",
                "Invalid BarCode");
        dataRow("a line break in the serial part", "2113X\n0012345", "Device", 1, "", "",
                "Invalid BarCode");
        dataRow("a slash would name another channel's topic", "21130000/SET", "Device", 1, "", "",
                "Invalid BarCode");
        dataRow("too short", "21130000123", "Device", 1, "", "", "Invalid BarCode");
    }
    void opensTheRightEnrolment()
    {
        QFETCH(QString, text);
        QFETCH(QString, mode);
        QFETCH(int, result);
        QFETCH(QString, opened);
        QFETCH(QString, summary);
        QFETCH(QString, toast);
        RecordingNavigator navigator;
        QCOMPARE(int(CodeDecoder(program->services()).decoderWithResult(text, mode)), result);
        QCOMPARE(navigator.opened, opened.isEmpty() ? QStringList{} : QStringList{opened});
        QCOMPARE(navigator.lastSummary, summary);
        QCOMPARE(presenter.toasts(), toast.isEmpty() ? QStringList{} : QStringList{toast});
    }

    void derivesChannelIds_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("channels");
        dataRow("E, F, 16", "21130000123E", 3,
                QStringList{"21130000123E", "21130000123F",
                            "211300001231"
                            "6"});
        dataRow("7 to A", "211400001237", 4,
                QStringList{"211400001237", "211400001238", "211400001239", "21140000123A"});
        dataRow("none", "211000001230", 0, QStringList{});
        dataRow("letter past F", "21110000123G", 1,
                QStringList{"211100001231"
                            "6"});
    }
    void derivesChannelIds()
    {
        QFETCH(QString, id);
        QFETCH(int, count);
        QFETCH(QStringList, channels);
        QCOMPARE(CodeDecoder::channelIds(id, count), channels);
    }
};

ARDENTIA_TEST_MAIN(TestCodeDecoder)
#include "tst_codedecoder.moc"

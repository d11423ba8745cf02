// The percent dialog with its data exchange, the information dialog and
// its command, the file-dialog filter conversion.

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

#include "app/QtTranslations.h"
#include "dialogs/CFileInfoDlg.h"
#include "dialogs/CPercentDlg.h"
#include "dialogs/DataExchange.h"
#include "product/ProductInfoText.h"
#include "ui/CommandIds.h"
#include "ui/FileDialogFilter.h"
#include "ui/support/UiTestSupport.h"

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void percentEdit_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("100") << "100" << true << 100 << "";
        QTest::newRow("0") << "0" << true << 0 << "";
        QTest::newRow("500") << "500" << true << 500 << "";
        QTest::newRow("blanks") << " 42 " << true << 42 << "";
        QTest::newRow("501") << "501" << false << 100 << "请填入一个在0和500之间的整数。";
        QTest::newRow("-1") << "-1" << false << 100 << "请填入一个在0和500之间的整数。";
        QTest::newRow("empty") << "" << false << 100 << "请键入一个整数。";
        QTest::newRow("letters") << "12a" << false << 100 << "请键入一个整数。";
        QTest::newRow("real") << "1.5" << false << 100 << "请键入一个整数。";
        QTest::newRow("overflow") << "99999999999" << false << 100 << "请键入一个整数。";
    }

    void percentEdit() {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(int, value);
        QFETCH(QString, message);
        CMessageRecorder recorder;
        CScopedMessageSink sink(&recorder);
        CPercentDlg dialog;
        dialog.Edit()->setText(typed);
        dialog.accept();
        QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
        QCOMPARE(dialog.m_nValue, value);
        const std::vector<std::string> expected =
            message.isEmpty() ? std::vector<std::string>{}
                              : std::vector<std::string>{message.toStdString()};
        QCOMPARE(recorder.Messages(), expected);
    }

    void percentControls() {
        CPercentDlg dialog;
        dialog.setWindowTitle("调整亮度");
        dialog.SetPrompt("亮度(%)：");
        QCOMPARE(dialog.Slider()->minimum(), 0);
        QCOMPARE(dialog.Slider()->maximum(), 400);
        QCOMPARE(dialog.Slider()->value(), 100);
        QCOMPARE(dialog.Edit()->text(), "100");
        QCOMPARE(dialog.PreviewBox()->text(), "预览");
        QVERIFY(!dialog.PreviewBox()->isChecked());
        QCOMPARE(dialog.PromptLabel()->text(), "亮度(%)：");
        dialog.Slider()->setValue(250);
        QCOMPARE(dialog.Edit()->text(), "250");
        QCOMPARE(dialog.m_nValue, 250);
        QStringList buttons;
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            buttons << button->text();
        }
        buttons.sort();
        QCOMPARE(buttons, QStringList({"取消", "确定"}));
    }

    void percentShowsTheStartValue() {
        CPercentDlg dialog;
        dialog.m_nValue = 450;  // beyond the slider: it stops at its end
        dialog.ExchangeToControls();
        QCOMPARE(dialog.Edit()->text(), "450");
        QCOMPARE(dialog.Slider()->value(), 400);
        QCOMPARE(dialog.m_nValue, 450);
    }

    void infoDialogIsEmptyBeforeAnyProduct() {
        CTestApp t;
        QVERIFY(t.Execute(kIdFileInfo));
        QCOMPARE(t.answers.modalDialogs, 1);
        QCOMPARE(t.answers.lastModalTitle, "SEC文件信息描述");
        QCOMPARE(t.answers.lastInfoText, QString());
    }

    void infoDialogKeepsTheProductAfterABmp() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(WriteTestProduct(dir.File("p.awx")));
        QVERIFY(WriteTestBmp(dir.File("a.bmp")));
        QVERIFY(t.App().OpenDocumentFile(dir.File("p.awx")));
        t.Execute(kIdFileInfo);
        const QString awxText = t.answers.lastInfoText;
        QCOMPARE(awxText.split('\n').size(), 18);  // 17 lines, each ended
        QVERIFY(awxText.startsWith("文件标识：SEC\n版本号：10\n"));
        QVERIFY(awxText.contains("投影方式：等经纬度\n"));
        QVERIFY(
            awxText.contains("日期时间(UTC)：2022年03月31日 13时00分\n"
                             "北京时间：2022年03月31日 21时00分\n"));
        QVERIFY(t.App().OpenDocumentFile(dir.File("a.bmp")));
        t.Execute(kIdFileInfo);
        QCOMPARE(t.answers.lastInfoText, awxText);
    }

    void infoDialogHoldsItsOwnCopy() {
        ProductDescription description;
        description.fileId = "SEC";
        description.width = 77;
        CFileInfoDlg dialog(description);
        description.width = 1;
        QCOMPARE(dialog.Description().width, 77);
        QCOMPARE(dialog.InfoText(), QString::fromStdString(ProductInfoText(dialog.Description())));
        QVERIFY(dialog.InfoText().contains("图像宽度(像素)：77\n"));
        auto* text = dialog.findChild<QLabel*>("infoText");
        QVERIFY(text);
        QCOMPARE(text->frameShadow(), QFrame::Sunken);
        QCOMPARE(dialog.findChildren<QPushButton*>().size(), 1);
        QCOMPARE(dialog.findChildren<QPushButton*>().front()->text(), "关闭");
    }

    void aboutBox() {
        CTestApp t;
        QVERIFY(t.Execute(kIdAppAbout));
        QCOMPARE(t.answers.lastModalTitle, "关于 kelvra");
    }

    void filterConversion_data() {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("qt");
        QTest::newRow("save filter")
            << "位图文件 (*.bmp;*.dib)|*.bmp;*.dib|JPEG文件 (*.jpg;*.jpeg)|*.jpg;*.jpeg|TGA文件 "
               "(*.tga)|*.tga|所有文件 (*.*)|*.*||"
            << "位图文件 (*.bmp *.dib);;JPEG文件 (*.jpg *.jpeg);;TGA文件 (*.tga);;所有文件 (*)";
        QTest::newRow("name without patterns") << "Products|*.awx||"
                                               << "Products (*.awx)";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("unterminated") << "A|*.a|B"
                                      << "A (*.a)";
    }

    void filterConversion() {
        QFETCH(QString, system);
        QFETCH(QString, qt);
        QCOMPARE(ConvertFileFilter(system), qt);
    }

    // A save dialog gives the name the chosen filter's extension.
    void filterExtension_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("extension");
        QTest::newRow("bitmap") << "位图文件 (*.bmp *.dib)"
                                << "bmp";
        QTest::newRow("jpeg") << "JPEG文件 (*.jpg *.jpeg)"
                              << "jpg";
        QTest::newRow("every file") << "所有文件 (*)"
                                    << "";
        QTest::newRow("patterns alone") << "*.tga"
                                        << "tga";
    }

    void filterExtension() {
        QFETCH(QString, filter);
        QFETCH(QString, extension);
        QCOMPARE(FilterExtension(filter), extension);
    }

    void integerParsing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");  // -999 for "not an integer"
        QTest::newRow("plain") << "123" << 123;
        QTest::newRow("signed") << "-7" << -7;
        QTest::newRow("plus") << "+7" << 7;
        QTest::newRow("sign only") << "-" << -999;
        QTest::newRow("inner blank") << "1 2" << -999;
        QTest::newRow("int max") << "2147483647" << 2147483647;
        QTest::newRow("beyond") << "2147483648" << -999;
    }

    void integerParsing() {
        QFETCH(QString, text);
        QFETCH(int, value);
        const std::optional<int> parsed = ParseDialogInteger(text.toStdString());
        QCOMPARE(parsed.value_or(-999), value);
    }

    // The percent dialogs open with the number selected in its box: typing
    // a value and Enter applies it.
    void percentDialogTakesTypingAtOnce_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("value");
        QTest::newRow("Return") << "50" << int(Qt::Key_Return) << 50;
        QTest::newRow("keypad Enter") << "250" << int(Qt::Key_Enter) << 250;
    }

    void percentDialogTakesTypingAtOnce() {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(int, value);
        CPercentDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.focusWidget(), static_cast<QWidget*>(dialog.Edit()));
        QCOMPARE(dialog.Edit()->selectedText(), QStringLiteral("100"));
        QTest::keyClicks(dialog.Edit(), typed);
        QTest::keyClick(dialog.Edit(), static_cast<Qt::Key>(key));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_nValue, value);
    }

    // Qt's own buttons and dialogs speak Chinese once the translations are in.
    void qtDialogsInChinese_data() {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("cancel button") << "QPlatformTheme"
                                       << "Cancel"
                                       << "取消";
        QTest::newRow("open button") << "QPlatformTheme"
                                     << "Open"
                                     << "打开";
        QTest::newRow("file dialog") << "QFileDialog"
                                     << "Look in:"
                                     << "查找范围：";
    }

    void qtDialogsInChinese() {
        QFETCH(QString, context);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        static const bool installed = InstallQtTranslations(*QCoreApplication::instance());
        if (!installed) {
            QSKIP("Qt's translations (qt6-translations-l10n) are not installed");
        }
        QCOMPARE(
            QCoreApplication::translate(context.toUtf8().constData(), english.toUtf8().constData()),
            chinese);
        if (context == QStringLiteral("QPlatformTheme") && english == QStringLiteral("Cancel")) {
            QDialogButtonBox buttons(QDialogButtonBox::Cancel);
            QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), chinese);
        }
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"

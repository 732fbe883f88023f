#include "platform/FakeDialogs.h"
#include "platform/FontColorDialog.h"
#include "platform/Platform.h"

#include <QFontDialog>
#include <QPushButton>
#include <QTest>

// The program's font chooser: what it opens on is what it gives back, and
// its colour button goes through the platform's colour chooser.
class TestFontChooser : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTheGivenFontAndColour_data();
    void opensOnTheGivenFontAndColour();
    void colourButton_data();
    void colourButton();
};

void TestFontChooser::opensOnTheGivenFontAndColour_data()
{
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<double>("size");
    QTest::newRow("plain 9") << false << false << false << 9.0;
    QTest::newRow("bold italic underlined 14") << true << true << true << 14.0;
}

void TestFontChooser::opensOnTheGivenFontAndColour()
{
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(double, size);
    FontChoice initial;
    // A family with every style, so the chooser can keep each of them.
    initial.Font.Name = QStringLiteral("DejaVu Sans");
    initial.Font.Size = size;
    initial.Font.Bold = bold;
    initial.Font.Italic = italic;
    initial.Font.Underline = underline;
    initial.Color = QColor(10, 20, 30);
    FontColorDialog dialog(initial);
    const FontChoice chosen = dialog.choice();
    QCOMPARE(chosen.Font.Name, initial.Font.Name);
    QCOMPARE(chosen.Font.Size, size);
    QCOMPARE(chosen.Font.Bold, bold);
    QCOMPARE(chosen.Font.Italic, italic);
    QCOMPARE(chosen.Font.Underline, underline);
    QCOMPARE(chosen.Color, initial.Color);
    QVERIFY(dialog.fontDialog().testOption(QFontDialog::DontUseNativeDialog));
}

void TestFontChooser::colourButton_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("confirmed") << true;
    QTest::newRow("cancelled") << false;
}

void TestFontChooser::colourButton()
{
    QFETCH(bool, confirmed);
    FakeDialogs &fake = Platform::installFakes();
    if (confirmed)
        fake.colorAnswers.push_back(QColor(Qt::red));
    FontChoice initial;
    initial.Color = Qt::blue;
    FontColorDialog dialog(initial);
    dialog.colorButton().click();
    QCOMPARE(fake.shown.size(), std::size_t(1));
    QCOMPARE(fake.shown.front().kind, QStringLiteral("Color"));
    QCOMPARE(fake.shown.front().color, QColor(Qt::blue));
    QCOMPARE(dialog.choice().Color, confirmed ? QColor(Qt::red) : QColor(Qt::blue));
}

QTEST_MAIN(TestFontChooser)
#include "tst_fontchooser.moc"

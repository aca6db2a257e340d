// Run once at each scale factor (QT_SCALE_FACTOR 1 and 2): the layout keeps
// its proportions in device-independent pixels, nothing is cut off, and the
// report is drawn at full device resolution (the plot's pixels at 2x are the
// command line's case grafico-png-scala-2).
#include "FormDriver.h"

class TestHighDpi : public QObject {
    Q_OBJECT

  private slots:
    void layoutAndResolution() {
        FormDriver w;
        auto& form = w.form;
        const qreal ratio = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
        QCOMPARE(form.devicePixelRatioF(), ratio);
        w.grafico();
        for (QLabel* label : form.findChildren<QLabel*>()) {
            const QSize needed = label->wordWrap() ? QSize(0, label->heightForWidth(label->width()))
                                                   : label->sizeHint();
            QVERIFY2(label->width() >= needed.width() && label->height() >= needed.height(),
                     qPrintable(label->text()));
            QVERIFY2(form.rect().contains(label->geometry()), qPrintable(label->text()));
        }
        for (QPushButton* button : form.findChildren<QPushButton*>())
            QVERIFY(button->width() >= button->fontMetrics().horizontalAdvance(button->text()));
        QCOMPARE(form.surface().image().size(), form.size() * ratio);
        // The report's text is drawn with device pixels too: its glyphs have
        // about ratio times as many inked pixels as at 1x.
        w.calcolo("60", "35", "10");
        const QImage report = form.grab().toImage();
        const QColor paper = report.pixelColor(report.width() - 2, 2);
        int inked = 0;
        for (int y = 0; y < int(40 * ratio); ++y)
            for (int x = 0; x < int(400 * ratio); ++x)
                inked += report.pixelColor(x, y) != paper;
        QVERIFY2(inked > 600 * ratio * ratio, qPrintable(QString::number(inked)));
    }
};

QTEST_MAIN(TestHighDpi)
#include "tst_high_dpi.moc"

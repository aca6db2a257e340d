#include "table/Range.h"

#include <QTest>

class TestRange : public QObject {
    Q_OBJECT

  private slots:
    // The i-th value is start + i x step; an end within a rounding error of a
    // whole number of steps is reached, also ten million steps away.
    void ranges_data() {
        QTest::addColumn<QString>("range");
        QTest::addColumn<QList<double>>("expected"); // count, the eighth value, the last
        QTest::newRow("0:1:0.1 ends at 1") << "0:1:0.1" << QList<double>{11, 0.8, 1.0};
        QTest::newRow("a million steps of 0.0001")
            << "0:99.9999:0.0001" << QList<double>{1e6, 0.0008, 99.9999};
        QTest::newRow("downwards, negative") << "-1:-10" << QList<double>{10, -9.0, -10.0};
        QTest::newRow("ten million steps")
            << "-3.3:-2.3000001:0.0000001" << QList<double>{1e7, -3.3 + 8 * 1e-7, -2.3000001};
    }
    void ranges() {
        QFETCH(QString, range);
        QFETCH(QList<double>, expected);
        std::string problem;
        const auto r = table::Range::parse(range.toStdString(), &problem);
        QVERIFY2(r, problem.c_str());
        QCOMPARE((QList<double>{double(r->count()), r->at(8), r->at(r->count() - 1)}), expected);
    }
};

QTEST_MAIN(TestRange)
#include "tst_range.moc"

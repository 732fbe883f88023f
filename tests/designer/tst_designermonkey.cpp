#include "DesignerHarness.h"
#include "DesignerInvariants.h"
#include "DesignerMonkey.h"

#include "model/TemplateState.h"

#include "designer/PageView.h"

#include "platform/FakeDialogs.h"
#include "platform/Element.h"
#include "platform/PageSurface.h"
#include "platform/Screen.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

// "1-20" or "3,7,9".
std::vector<quint64> numbersFrom(const QString &text)
{
    std::vector<quint64> numbers;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList range = part.split(QLatin1Char('-'));
        const quint64 first = range.front().toULongLong();
        const quint64 last = range.back().toULongLong();
        for (quint64 n = first; n <= last; ++n)
            numbers.push_back(n);
    }
    return numbers;
}

struct Run
{
    std::vector<quint64> seeds;
    quint64 actions = 0;
    // Actions between two looks at whether the page's kept pixels and
    // layouts show what painting afresh shows.
    quint64 pixelCheckEvery = 50;
    // With indexes, only these actions of the one seed are performed.
    std::optional<std::vector<quint64>> replay;
};

// The CI run unless the environment asks for another:
// TAVREL_MONKEY_SEEDS="1-500" TAVREL_MONKEY_ACTIONS=1000 for a long run,
// TAVREL_MONKEY_CHECK_EVERY=1 to compare the page with a fresh paint after
// every action, TAVREL_MONKEY_REPLAY="7:0-41,45" to replay some actions of
// seed 7.
Run runFromEnvironment()
{
    Run run{{1, 2, 3, 4}, 5000, 50, std::nullopt};
    if (qEnvironmentVariableIsSet("TAVREL_MONKEY_CHECK_EVERY"))
        run.pixelCheckEvery
            = std::max<quint64>(1, qEnvironmentVariable("TAVREL_MONKEY_CHECK_EVERY").toULongLong());
    if (qEnvironmentVariableIsSet("TAVREL_MONKEY_SEEDS"))
        run.seeds = numbersFrom(qEnvironmentVariable("TAVREL_MONKEY_SEEDS"));
    if (qEnvironmentVariableIsSet("TAVREL_MONKEY_ACTIONS"))
        run.actions = qEnvironmentVariable("TAVREL_MONKEY_ACTIONS").toULongLong();
    if (qEnvironmentVariableIsSet("TAVREL_MONKEY_REPLAY")) {
        const QStringList parts = qEnvironmentVariable("TAVREL_MONKEY_REPLAY").split(':');
        run.seeds = {parts.front().toULongLong()};
        run.replay = numbersFrom(parts.value(1));
    }
    return run;
}

// Where the differing images lie and the elements they show, to shrink
// the sequence by.
void describeShown(PageSurface &page, const QRect &shown)
{
    std::fprintf(stderr, "shown at %d,%d, %g twips a pixel\n", shown.x(), shown.y(),
                 page.viewTwipsPerPixelX());
    for (ElementKind kind : {ElementKind::Line, ElementKind::Label, ElementKind::Image}) {
        page.arrayOf(kind).forEach([](const Element &e) {
            if (!e.Visible())
                return;
            const QRectF r = e.rect();
            std::fprintf(stderr, "  %d z%llu %g,%g %gx%g border %d width %d stretch %d picture %dx%d\n",
                         e.Index(), qulonglong(e.zOrder()), r.x(), r.y(), r.width(), r.height(),
                         e.BorderStyle(), e.BorderWidth(), int(e.Stretch()), e.Picture().width(),
                         e.Picture().height());
        });
    }
}

// What the window shows of the page, at any zoom.
QString cachesChangedPixels(mFrm_Bill &bill)
{
    PageView &view = bill.pageView();
    const QRect shown = view.rect() & QRect(-view.pos(), bill.pageArea().size());
    if (shown.isEmpty())
        return QString();
    const QImage cached = view.grab(shown).toImage();
    const QImage fresh = view.grabAfresh(shown);
    if (cached == fresh)
        return QString();
    if (qEnvironmentVariableIsSet("TAVREL_SAVE_DIFF")) {
        cached.save(QStringLiteral("/tmp/m_cached.png"));
        fresh.save(QStringLiteral("/tmp/m_fresh.png"));
        describeShown(view.page(), shown);
    }
    return QStringLiteral("the page with its caches differs from the page painted afresh");
}

QtMessageHandler g_testHandler = nullptr;

// The monkey grabs the mouse to lose a release, and moves outside the window
// on purpose; the warnings of both, thousands of them, would bury the real
// messages.
void withoutMonkeyWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!text.contains(QLatin1String("does not support grabbing the mouse"))
        && !text.contains(QLatin1String("occurs outside target window")))
        g_testHandler(type, context, text);
}

} // namespace

class TestDesignerMonkey : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Screen::setTwipsPerPixel(15, 15);
        g_testHandler = qInstallMessageHandler(withoutMonkeyWarnings);

    }

    void randomActionsKeepTheInvariants();

private:
    // The first invariant broken in one seed's run, as a report line.
    QString runSeed(quint64 seed, const Run &run, quint64 &performed);
    static QString undoneAndRedone(mFrm_Bill &bill, const TemplateState &start, quint64 seed);
};

QString TestDesignerMonkey::runSeed(quint64 seed, const Run &run, quint64 &performed)
{
    FakeDialogs &dialogs = Platform::installFakes();
    DesignerHarness h;
    if (!h.ready())
        return QStringLiteral("seed %1: the workspace never became active").arg(seed);
    QPointer<mFrm_Bill> bill = h.open();
    // The whole run is undone at its end.
    bill->undoStack().setUndoLimit(0);
    // Taken before the window's first action, once it has settled.
    std::optional<TemplateState> start;
    DesignerMonkey monkey(h, *bill, seed);
    std::vector<quint64> indexes;
    if (run.replay)
        indexes = *run.replay;
    else
        for (quint64 i = 0; i < run.actions; ++i)
            indexes.push_back(i);
    for (quint64 index : indexes) {
        if (!start)
            start = TemplateState::of(bill->record());
        const QString action = monkey.perform(index);
        // A load that emptied the window (it failed on a fresh one) starts
        // the history afresh.
        if (action == QLatin1String("LoadBill") && bill && bill->undoStack().count() == 0)
            start.reset();
        // The event loop turns between one action of the user and the next.
        QCoreApplication::sendPostedEvents();
        ++performed;
        if (!bill) {
            if (Platform::pointer().isConfined())
                return QStringLiteral("seed %1, action %2 (%3): the closed window left the "
                                      "pointer confined")
                    .arg(seed)
                    .arg(index)
                    .arg(action);
            bill = h.open();
            bill->undoStack().setUndoLimit(0);
            start.reset();
            monkey.setBill(*bill);
        }

        if (run.replay) {
            std::fprintf(stderr, "%llu: %s%s\n", index, qPrintable(action),
                         qPrintable(QLatin1String(" -- ") + brokenInvariant(*bill)));
            for (const QString &message : dialogs.messages())
                std::fprintf(stderr, "    message: %s\n", qPrintable(message));
            dialogs.shown.clear();
        }


        if (monkey.buttonHeld())
            continue;
        QString broken = brokenInvariant(*bill);
        if (broken.isEmpty() && index % run.pixelCheckEvery == run.pixelCheckEvery - 1)
            broken = cachesChangedPixels(*bill);
        if (!broken.isEmpty()) {
            monkey.letGo();
            return QStringLiteral("seed %1, action %2 (%3): %4")
                .arg(seed)
                .arg(index)
                .arg(action, broken);
        }
    }
    monkey.letGo();
    return start ? undoneAndRedone(*bill, *start, seed) : QString();
}

// Undoing every step gives the window as it began; redoing them again, as it
// ended (but for the selection, which clicks change without a step).
QString TestDesignerMonkey::undoneAndRedone(mFrm_Bill &bill, const TemplateState &start,
                                            quint64 seed)
{
    bill.finishEdits();
    const TemplateState end = TemplateState::of(bill.record());
    const int endIndex = bill.undoStack().index();
    while (bill.undoStack().canUndo())
        bill.undo();
    QStringList differ = start.differences(TemplateState::of(bill.record()));
    if (!differ.isEmpty())
        return QStringLiteral("seed %1: undoing everything differs from the start in %2")
            .arg(seed)
            .arg(differ.join(QStringLiteral(", ")));
    while (bill.undoStack().index() < endIndex)
        bill.redo();
    differ = end.differences(TemplateState::of(bill.record()));
    differ.removeAll(QStringLiteral("selection"));
    if (!differ.isEmpty())
        return QStringLiteral("seed %1: redoing everything differs from the end in %2")
            .arg(seed)
            .arg(differ.join(QStringLiteral(", ")));
    return brokenInvariant(bill);
}

void TestDesignerMonkey::randomActionsKeepTheInvariants()
{
    const Run run = runFromEnvironment();
    quint64 performed = 0;
    QStringList failures;
    for (quint64 seed : run.seeds) {
        const QString failure = runSeed(seed, run, performed);
        if (!failure.isEmpty()) {
            failures << failure;
            std::fprintf(stderr, "%s\n", qPrintable(failure));
        }
    }
    std::fprintf(stderr, "monkey: %llu actions over %zu seeds, %lld invariant violations\n",
                 performed, run.seeds.size(), qlonglong(failures.size()));
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestDesignerMonkey)
#include "tst_designermonkey.moc"

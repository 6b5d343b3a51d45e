// The language in the windows: the English start, the switch from the
// menu, the texts every window shows in each language, the conversion of
// the channel cells, the rebuilt lists keeping their choices, and texts that
// fit their places. The program runs from a folder of its own holding copies
// of the two language libraries.
#include "app/aboutbox.h"
#include "app/buttonsbar.h"
#include "app/linklabel.h"
#include "app/mainwindow.h"
#include "app/optionspage.h"
#include "app/programmingdialog.h"
#include "app/serialportdialog.h"
#include "app/splashwindow.h"
#include "app/startup.h"
#include "app/windowtexts.h"
#include "editor/channelgrid.h"
#include "editor/channeltablemodel.h"
#include "editor/confirmationdialog.h"
#include "i18n/languagelibrary.h"
#include "i18n/texttargets.h"
#include "model/programfolder.h"
#include "testsupport.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

QString windowName(LanguageWindow window)
{
    switch (window) {
    case LanguageWindow::MainWindow:
        return QStringLiteral("mainWindow");
    case LanguageWindow::AboutBox:
        return QStringLiteral("aboutBox");
    case LanguageWindow::ProgrammingDialog:
        return QStringLiteral("programmingDialog");
    case LanguageWindow::ConfirmationDialog:
        return QStringLiteral("confirmationDialog");
    case LanguageWindow::SerialPortDialog:
        return QStringLiteral("serialPortDialog");
    }
    return {};
}

// A program started from a folder of its own, shown, with the splash gone.
// A test puts the language libraries it wants into the folder first.
struct StartedProgram
{
    ProgramFolder folder;
    std::unique_ptr<Program> program; // goes before its folder

    bool start()
    {
        if (!folder.isValid())
            return false;
        program = createProgram();
        program->mainWindow->show();
        return QTest::qWaitForWindowExposed(program->mainWindow.get());
    }
    MainWindow *form() const { return program->mainWindow.get(); }
    QWidget *window(LanguageWindow which) const
    {
        switch (which) {
        case LanguageWindow::MainWindow:
            return program->mainWindow.get();
        case LanguageWindow::AboutBox:
            return program->aboutBox.get();
        case LanguageWindow::ProgrammingDialog:
            return program->programmingDialog.get();
        case LanguageWindow::ConfirmationDialog:
            return program->confirmationDialog.get();
        case LanguageWindow::SerialPortDialog:
            return program->mainWindow->serialPortDialog();
        }
        return nullptr;
    }
};

const QString EngLibrary = QStringLiteral(QB_BIN_DIR "/eng.dll");
const QString ChnLibrary = QStringLiteral(QB_BIN_DIR "/chn.dll");

// What a target shows, found by its window, name and kind.
QString shownText(QWidget *window, const TextTarget &target, QString *problem)
{
    const QString name = QString::fromLatin1(target.objectName);
    switch (target.kind) {
    case TextTargetKind::WindowCaption:
        return shownCaption(window);
    case TextTargetKind::Menu:
        if (auto *menu = window->findChild<QMenu *>(name))
            return menu->title();
        break;
    case TextTargetKind::MenuItem:
        for (QAction *action : window->findChildren<QAction *>(name))
            if (!action->menu())
                return action->text();
        break;
    case TextTargetKind::Page:
        for (QTabWidget *tabs : window->findChildren<QTabWidget *>())
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->widget(i)->objectName() == name)
                    return tabs->tabText(i);
        break;
    case TextTargetKind::Group:
        if (auto *group = window->findChild<QGroupBox *>(name))
            return group->title();
        break;
    case TextTargetKind::StatusPanel:
    case TextTargetKind::Label:
        for (QWidget *w : window->findChildren<QWidget *>(name)) {
            if (auto *label = qobject_cast<QLabel *>(w))
                return label->text();
            if (auto *link = qobject_cast<LinkLabel *>(w))
                return link->text();
        }
        break;
    case TextTargetKind::Button:
        if (auto *button = window->findChild<QAbstractButton *>(name))
            return button->text();
        break;
    case TextTargetKind::ButtonBarSection:
        if (auto *bar = window->findChild<QToolBox *>(name); bar && target.index < bar->count())
            return bar->itemText(target.index);
        break;
    case TextTargetKind::ButtonBarItem:
        if (auto *bar = window->findChild<ButtonsBar *>(name))
            if (QToolButton *item = bar->barItem(target.index, target.item))
                return item->text();
        break;
    case TextTargetKind::ListHeading:
        if (auto *table = window->findChild<QTableWidget *>(name))
            if (QTableWidgetItem *heading = table->horizontalHeaderItem(target.index))
                return heading->text();
        break;
    case TextTargetKind::GridHeading:
        break;
    }
    *problem = QStringLiteral("%1 has no %2").arg(window->objectName(), name);
    return {};
}

// One text the user can see, and where.
struct SeenText
{
    QString place;
    QString text;
};

QString placeOf(const QObject *object)
{
    QStringList path;
    for (const QObject *o = object; o; o = o->parent())
        if (!o->objectName().isEmpty() && !o->objectName().startsWith(QLatin1String("qt_")))
            path.prepend(o->objectName());
    return path.join(QLatin1Char('/'));
}

void collectMenu(const QMenu *menu, QList<SeenText> *seen)
{
    seen->append({placeOf(menu), menu->title()});
    for (QAction *action : menu->actions()) {
        if (action->menu())
            collectMenu(action->menu(), seen);
        else if (!action->isSeparator())
            seen->append({placeOf(action), action->text()});
    }
}

// Every text of a window that would show with the window's pages and
// sections as they are now.
void collectTexts(QWidget *window, QList<SeenText> *seen)
{
    seen->append({window->objectName() + QStringLiteral(" caption"), shownCaption(window)});
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || qobject_cast<QMenu *>(w))
            continue;
        const QString place = placeOf(w);
        if (auto *bar = qobject_cast<QMenuBar *>(w)) {
            for (QAction *action : bar->actions())
                if (action->menu())
                    collectMenu(action->menu(), seen);
        } else if (auto *label = qobject_cast<QLabel *>(w)) {
            seen->append({place, label->text()});
        } else if (auto *link = qobject_cast<LinkLabel *>(w)) {
            seen->append({place, link->text()});
        } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
            seen->append({place, group->title()});
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            seen->append({place, button->text()});
        } else if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                seen->append({place + QStringLiteral(" tab"), tabs->tabText(i)});
        } else if (auto *box = qobject_cast<QToolBox *>(w)) {
            for (int i = 0; i < box->count(); ++i)
                seen->append({place + QStringLiteral(" section"), box->itemText(i)});
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                seen->append({place + QStringLiteral(" item"), combo->itemText(i)});
        } else if (auto *grid = qobject_cast<ChannelGrid *>(w)) {
            ChannelTableModel *model = grid->channelModel();
            seen->append({place + QStringLiteral(" corner"), model->cornerHeading()});
            for (int col = 0; col < model->columnCount(); ++col)
                seen->append({place + QStringLiteral(" heading"),
                              model->headerData(col, Qt::Horizontal).toString()});
            for (int row = 0; row < model->rowCount(); ++row)
                for (int col = 0; col < model->columnCount(); ++col)
                    seen->append({place + QStringLiteral(" cell"),
                                  model->index(row, col).data().toString()});
        }
    }
}

// The width a text needs in a widget's font; mnemonics do not count.
int advance(const QWidget *w, QString text)
{
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return w->fontMetrics().horizontalAdvance(text);
}

// Texts that do not fit their widget, or widgets that stick out of their
// parent, among what shows now.
QStringList misfits(QWidget *window)
{
    QStringList found;
    auto check = [&](QWidget *w, int needed, const QString &text) {
        const QString what = QStringLiteral("%1 \"%2\"").arg(placeOf(w), text);
        if (needed > w->width())
            found << QStringLiteral("%1 needs %2 px, has %3").arg(what).arg(needed).arg(w->width());
        if (QWidget *parent = w->parentWidget(); parent && !w->isWindow()) {
            if (!parent->rect().contains(w->geometry()))
                found << QStringLiteral("%1 sticks out of its parent").arg(what);
        }
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->text().isEmpty() || !label->pixmap().isNull())
                continue;
            if (label->wordWrap()) {
                if (label->heightForWidth(label->width()) > label->height())
                    found << QStringLiteral("%1 \"%2\" wraps beyond its height")
                                 .arg(placeOf(w), label->text());
                continue;
            }
            const int margins = label->contentsMargins().left() + label->contentsMargins().right();
            check(w, advance(w, label->text()) + margins, label->text());
        } else if (auto *link = qobject_cast<LinkLabel *>(w)) {
            check(w, advance(w, link->text()), link->text());
        } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
            check(w, advance(w, group->title()) + 8, group->title());
        } else if (auto *item = qobject_cast<QToolButton *>(w);
                   item && item->property("barItem").toBool()) {
            check(w, advance(w, item->text()) + 4, item->text());
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            check(w, advance(w, button->text()) + icon + 8, button->text());
        } else if (auto *grid = qobject_cast<ChannelGrid *>(w)) {
            ChannelTableModel *model = grid->channelModel();
            for (int col = 0; col < model->columnCount(); ++col) {
                const QString heading = model->headerData(col, Qt::Horizontal).toString();
                const int needed =
                    grid->horizontalHeader()->fontMetrics().horizontalAdvance(heading);
                if (needed > grid->columnWidth(col))
                    found << QStringLiteral("heading \"%1\" needs %2 px, has %3")
                                 .arg(heading)
                                 .arg(needed)
                                 .arg(grid->columnWidth(col));
            }
        }
    }
    return found;
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

    StartedProgram m_run;
    LanguageTable m_eng;
    LanguageTable m_chn;

    MainWindow *form() const { return m_run.form(); }
    ChannelTable &table() const { return form()->radioData().table; }
    const LanguageTable &library(bool english) const { return english ? m_eng : m_chn; }

    void chooseLanguage(bool english)
    {
        (english ? form()->ui().englishAction : form()->ui().chineseAction)->trigger();
    }

    // Every window target shows the library's text of its number.
    void compareTargets(bool english)
    {
        const LanguageTable &texts = library(english);
        for (const TextTarget &target : textTargets()) {
            QString problem;
            QString shown;
            if (target.kind == TextTargetKind::GridHeading) {
                ChannelTableModel *model = form()->channelModel();
                shown = target.index == 0
                            ? model->cornerHeading()
                            : model->headerData(target.index - 1, Qt::Horizontal).toString();
            } else {
                shown = shownText(m_run.window(target.window), target, &problem);
            }
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
            QVERIFY2(shown == texts.text(target.number),
                     qPrintable(QStringLiteral("%1 %2/%3: \"%4\", expected \"%5\"")
                                    .arg(target.number)
                                    .arg(windowName(target.window),
                                         QString::fromLatin1(target.objectName), shown,
                                         texts.text(target.number))));
        }
    }

    QList<SeenText> everythingShown()
    {
        QList<SeenText> seen;
        const Ui::MainWindow &ui = form()->ui();
        const int page = ui.pages->currentIndex();
        const int section = ui.buttonsBar->currentIndex();
        for (int p = 0; p < ui.pages->count(); ++p) {
            ui.pages->setCurrentIndex(p);
            for (int s = 0; s < ui.buttonsBar->count(); ++s) {
                ui.buttonsBar->setCurrentIndex(s);
                collectTexts(form(), &seen);
            }
        }
        ui.pages->setCurrentIndex(page);
        ui.buttonsBar->setCurrentIndex(section);
        for (LanguageWindow w : {LanguageWindow::AboutBox, LanguageWindow::ProgrammingDialog,
                                 LanguageWindow::ConfirmationDialog})
            collectTexts(m_run.window(w), &seen);
        for (const QString &tone : table().toneList())
            seen.append({QStringLiteral("tone list"), tone});
        return seen;
    }

    QStringList allMisfits()
    {
        QStringList found;
        const Ui::MainWindow &ui = form()->ui();
        for (int p = 0; p < ui.pages->count(); ++p) {
            ui.pages->setCurrentIndex(p);
            for (int s = 0; s < ui.buttonsBar->count(); ++s) {
                ui.buttonsBar->setCurrentIndex(s);
                found << misfits(form());
            }
        }
        ui.pages->setCurrentIndex(0);
        ui.buttonsBar->setCurrentIndex(0);
        for (LanguageWindow w : {LanguageWindow::AboutBox, LanguageWindow::ProgrammingDialog,
                                 LanguageWindow::ConfirmationDialog})
            found << misfits(m_run.window(w));
        found.removeDuplicates();
        return found;
    }

private slots:
    void initTestCase()
    {
        const auto eng = readLanguageLibrary(EngLibrary);
        const auto chn = readLanguageLibrary(ChnLibrary);
        QVERIFY(eng && chn);
        m_eng = *eng;
        m_chn = *chn;
        QVERIFY(m_run.folder.addLanguageLibraries());
        QVERIFY(m_run.start());
        // Let the splash go.
        QTRY_VERIFY_WITH_TIMEOUT(!m_run.program->splashWindow->isVisible(), 2000);
    }

    // Runs first: every start is in English.
    void englishAtStart()
    {
        const Ui::MainWindow &ui = form()->ui();
        QVERIFY(ui.englishAction->isChecked());
        QVERIFY(!ui.chineseAction->isChecked());
        QCOMPARE(ui.chineseAction->text(), m_eng.text(24));
        compareTargets(true);

        const MessageSlots &messages = form()->messages();
        QCOMPARE(messages.readCaption, m_eng.text(95));
        QCOMPARE(messages.writeCaption, m_eng.text(96));
        QCOMPARE(messages.errorTitle, m_eng.text(103));
        QCOMPARE(messages.linkFailedText, m_eng.text(104));
        QCOMPARE(messages.portFailedText, m_eng.text(106));
        QCOMPARE(messages.confirmTitle, m_eng.text(108));
        QCOMPARE(messages.newConfirmText, m_eng.text(109));
        QCOMPARE(messages.clearConfirmText, m_eng.text(110));
        QCOMPARE(table().valueTexts().offText, QStringLiteral("OFF"));
    }

    // After the English start nothing the user can see is left in Chinese,
    // apart from what each opening of a dialog sets anew.
    void noChineseLeftInEnglish()
    {
        const QList<SeenText> seen = everythingShown();
        QVERIFY(seen.size() > 150);
        QStringList chinese;
        for (const SeenText &s : seen) {
            // The programming dialog's start button and the confirmation
            // dialog's caption are set from the message texts each time the
            // dialog opens.
            if (s.place == QLatin1String("programmingDialog/buttonPanel/startButton") ||
                s.place == QLatin1String("confirmationDialog caption"))
                continue;
            if (hasChineseCharacter(s.text))
                chinese << QStringLiteral("%1: %2").arg(s.place, s.text);
        }
        chinese.removeDuplicates();
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QLatin1Char('\n'))));
    }

    void switchLanguage_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("to Chinese") << false;
        QTest::newRow("again Chinese") << false;
        QTest::newRow("to English") << true;
        QTest::newRow("again English") << true;
    }

    // The check marks, the name of the Chinese item, every text, and the
    // tone list's off entry follow the menu.
    void switchLanguage()
    {
        QFETCH(bool, english);
        chooseLanguage(english);
        const Ui::MainWindow &ui = form()->ui();
        QCOMPARE(ui.englishAction->isChecked(), english);
        QCOMPARE(ui.chineseAction->isChecked(), !english);
        QCOMPARE(ui.chineseAction->text(), library(english).text(24));
        compareTargets(english);
        QCOMPARE(form()->messages().newConfirmText, library(english).text(109));
        QCOMPARE(table().toneList().size(), 265);
        QCOMPARE(table().toneList().first(), library(english).text(55));
        QCOMPARE(ui.optionsPanel->combo(Setting::TxT_O_T)->itemText(0), library(english).text(55));
    }

    // A row holding every fixed value turns into the other language and
    // back; tones and frequencies stay, and a switch to the language in
    // force changes nothing.
    void cellsFollowTheSwitch()
    {
        const QStringList chineseRows[] = {
            {"438.50000", "禁用", "438.50000", "D023N", "高功率", "宽带", "启用", "禁用"},
            {"439.12500", "67.0", "431.52500", "禁用", "低功率", "窄带", "禁用", "启用"},
            {"", "", "", "", "", "", "", ""},
        };
        const QStringList englishRows[] = {
            {"438.50000", "OFF", "438.50000", "D023N", "High", "Wide", "ON", "OFF"},
            {"439.12500", "67.0", "431.52500", "OFF", "Low", "Narrow", "OFF", "ON"},
            {"", "", "", "", "", "", "", ""},
        };
        auto rowsAre = [this](const QStringList(&rows)[3]) {
            for (int r = 0; r < 3; ++r)
                for (int col = 1; col <= 8; ++col) {
                    const QModelIndex cell = form()->channelModel()->cellIndex(col, r + 1);
                    if (cell.data().toString() != rows[r].at(col - 1))
                        return false;
                }
            return true;
        };

        chooseLanguage(false);
        for (int r = 0; r < 3; ++r)
            for (int col = 1; col <= 8; ++col)
                table().setCell(col, r + 1, chineseRows[r].at(col - 1));
        chooseLanguage(true);
        QVERIFY(rowsAre(englishRows));
        chooseLanguage(true);
        QVERIFY(rowsAre(englishRows));
        chooseLanguage(false);
        QVERIFY(rowsAre(chineseRows));
        chooseLanguage(false);
        QVERIFY(rowsAre(chineseRows));

        chooseLanguage(true);
        table().clearAll();
    }

    void listsKeepTheirChoice_data()
    {
        QTest::addColumn<int>("setting");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        auto add = [](const char *name, Setting s, int index, const char *zh, const char *en) {
            QTest::newRow(name) << int(s) << index << QString::fromUtf8(zh)
                                << QString::fromUtf8(en);
        };
        add("TxT.O.T", Setting::TxT_O_T, 4, "4分钟", "4 min");
        add("APO", Setting::APO, 0, "启用", "ON");
        add("BEEP", Setting::BEEP, 0, "禁用", "OFF");
        add("BatSave", Setting::BatSave, 0, "禁用", "OFF");
        add("Scramble", Setting::Scramble, 0, "启用", "ON");
        add("keyswitch", Setting::keyswitch, 0, "启用", "ON");
        add("Switch.U.P", Setting::Switch_U_P, 0, "启用", "ON");
        add("DownFreq", Setting::DownFreq, 0, "启用", "ON");
        add("SpreadFreq", Setting::SpreadFreq, 1, "启用", "ON");
        add("band", Setting::band, 1, "频段1", "Band 1");
        add("Txlight", Setting::Txlight, 6, "7", "7");
        add("Rxlight", Setting::Rxlight, 0, "1", "1");
    }

    // Each rebuilt list keeps the choice the user made in it, showing the
    // same choice in the new language.
    void listsKeepTheirChoice()
    {
        QFETCH(int, setting);
        QFETCH(int, index);
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        OptionsPage *page = form()->ui().optionsPanel;
        const auto s = Setting(setting);
        QComboBox *combo = page->combo(s);
        // The band list takes a choice only while SpreadFreq is on.
        page->combo(Setting::SpreadFreq)->setCurrentIndex(1);
        QVERIFY(combo->isEnabled());
        combo->setCurrentIndex(index);
        QCOMPARE(form()->radioData().settings.index(s), index);
        const int count = combo->count();

        for (bool toEnglish : {false, true}) {
            chooseLanguage(toEnglish);
            QCOMPARE(combo->count(), count);
            QCOMPARE(combo->currentIndex(), index);
            QCOMPARE(combo->currentText(), toEnglish ? english : chinese);
            QCOMPARE(form()->radioData().settings.index(s), index);
        }
        form()->radioData().settings.restoreDefaults();
    }

    // A file can leave the band list on its second choice while SpreadFreq
    // is off; a switch that changes SpreadFreq's text applies the rule
    // again, and the lists show it.
    void spreadFreqRuleAfterSwitch()
    {
        OptionsPage *page = form()->ui().optionsPanel;
        QComboBox *spread = page->combo(Setting::SpreadFreq);
        QComboBox *band = page->combo(Setting::band);
        FunctionSettings &settings = form()->radioData().settings;
        spread->setCurrentIndex(0);
        QVERIFY(!band->isEnabled());
        settings.setIndex(Setting::band, 1);
        QCOMPARE(band->currentIndex(), 1);

        chooseLanguage(false);
        QCOMPARE(spread->currentText(), QStringLiteral("禁用"));
        QCOMPARE(band->currentIndex(), 0);
        QCOMPARE(band->currentText(), QStringLiteral("频段2"));
        QVERIFY(!band->isEnabled());

        spread->setCurrentIndex(1);
        QVERIFY(band->isEnabled());
        band->setCurrentIndex(1);
        chooseLanguage(true);
        QVERIFY(band->isEnabled());
        QCOMPARE(band->currentText(), QStringLiteral("Band 1"));
        settings.restoreDefaults();
    }

    // The about box is named like its menu item, the OK buttons read 105,
    // and the cancel and close buttons 97, in both languages.
    void sharedTexts()
    {
        AboutBox *about = m_run.program->aboutBox.get();
        ProgrammingDialog *programming = m_run.program->programmingDialog.get();
        ConfirmationDialog *message = m_run.program->confirmationDialog.get();
        for (bool english : {false, true}) {
            chooseLanguage(english);
            const LanguageTable &texts = library(english);
            QCOMPARE(about->windowTitle(), form()->ui().aboutAction->text());
            QCOMPARE(about->windowTitle(), texts.text(28));
            QCOMPARE(about->okButton()->text(), texts.text(105));
            QCOMPARE(message->okButton()->text(), texts.text(105));
            QCOMPARE(message->cancelButton()->text(), texts.text(260));
            QCOMPARE(programming->closeButton()->text(), texts.text(97));
        }
    }

    void textsFit_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("Chinese") << false;
        QTest::newRow("English") << true;
    }

    // No text is cut off and nothing leaves its parent, in either language.
    void textsFit()
    {
        QFETCH(bool, english);
        chooseLanguage(english);
        const QStringList found = allMisfits();
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));

        // The options labels end before their lists.
        OptionsPage *page = form()->ui().optionsPanel;
        for (Setting s : allSettings()) {
            QLabel *label = page->label(s);
            if (!label || !label->isVisibleTo(page))
                continue;
            QVERIFY2(label->geometry().right() < page->combo(s)->geometry().left(),
                     qPrintable(label->text()));
        }
    }

    // The program's own texts built in are the Chinese library's, and a
    // library without them (made before they existed) leaves the built-in
    // texts on their items while it sets everything else.
    void ownTexts()
    {
        for (int n = LanguageTable::FirstOwnNumber; n <= LanguageTable::LastOwnNumber; ++n)
            QCOMPARE(builtInText(n), m_chn.text(n));

        StartedProgram run;
        QVERIFY(
            run.folder.addTestLibrary(QStringLiteral("testlang.dll"), QStringLiteral("eng.dll")));
        QVERIFY(run.start());
        const Ui::MainWindow &ui = run.form()->ui();
        QCOMPARE(ui.exitAction->text(), QStringLiteral("Ten"));
        for (const TextTarget &target : textTargets()) {
            if (!LanguageTable::isOwnNumber(target.number))
                continue;
            QString problem;
            QCOMPARE(shownText(run.window(target.window), target, &problem),
                     builtInText(target.number));
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        }
        QCOMPARE(run.form()->messages().verifyingText, QString());
    }

    void missingLibrary_data()
    {
        QTest::addColumn<bool>("present");
        QTest::newRow("no file") << false;
        QTest::newRow("not a library") << true;
    }

    // Without a usable English library the built-in Chinese texts stay,
    // while the menu says English; a switch to Chinese without its library
    // changes neither texts nor cells.
    void missingLibrary()
    {
        QFETCH(bool, present);
        StartedProgram run;
        if (present) {
            for (const QString &name : {QStringLiteral("eng.dll"), QStringLiteral("chn.dll")})
                QVERIFY(run.folder.write(name, "not a library"));
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("eng\\.dll is not a language")));
        }
        QVERIFY(run.start());
        const Ui::MainWindow &ui = run.form()->ui();
        QVERIFY(ui.englishAction->isChecked());
        QVERIFY(!ui.chineseAction->isChecked());
        QCOMPARE(ui.chineseAction->text(), QStringLiteral("chinese"));
        QCOMPARE(ui.fileMenu->title(), QStringLiteral("文件(&F)"));
        QCOMPARE(ui.aboutAction->text(), QStringLiteral("关于(&A)..."));
        QCOMPARE(ui.openImageAction->text(), QStringLiteral("打开电台映像(&I)..."));
        QCOMPARE(ui.verifyAction->text(), QStringLiteral("写入后校验(&V)"));
        QCOMPARE(ui.statusPanel->text(), QStringLiteral("     Dravik Torven 对讲机编程软件"));
        QCOMPARE(run.program->aboutBox->windowTitle(), QStringLiteral("关于..."));
        QCOMPARE(run.form()->messages(), MessageSlots{});
        // The options page's labels are designed with the Chinese library's
        // texts.
        for (const TextTarget &target : textTargets()) {
            if (target.number < 62 || target.number > 80)
                continue;
            QString problem;
            QCOMPARE(shownText(run.form(), target, &problem), m_chn.text(target.number));
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        }

        ChannelTable &cells = run.form()->radioData().table;
        cells.setCell(ChannelTable::ColRxFreq, 1, QStringLiteral("438.50000"));
        cells.setCell(ChannelTable::ColPower, 1, QStringLiteral("高功率"));
        cells.setCell(ChannelTable::ColScan, 1, QStringLiteral("ON"));
        if (present)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("chn\\.dll is not a language")));
        ui.chineseAction->trigger();
        QVERIFY(ui.chineseAction->isChecked());
        QCOMPARE(ui.chineseAction->text(), QStringLiteral("中文"));
        QCOMPARE(ui.fileMenu->title(), QStringLiteral("文件(&F)"));
        QCOMPARE(cells.cell(ChannelTable::ColPower, 1), QStringLiteral("高功率"));
        QCOMPARE(cells.cell(ChannelTable::ColScan, 1), QStringLiteral("ON"));
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"

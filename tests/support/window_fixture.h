#pragma once
// Widget tests of the game's windows: a temporary program folder with prepared files, the eight windows made
// there as the program makes them (fixed random seed), controls found by name and pressed with QTest, and
// scripted answers for the modal windows the test expects.

#include "app/main_window.h"
#include "app/startup.h"
#include "players/round_history.h"
#include "storage/schemas.h"
#include "storage/table.h"
#include "ui/modal.h"
#include "ui/radio_group.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace testing_support {

// One QApplication for the whole test program (offscreen platform, set by ctest).
inline QApplication& application()
{
    static int argc = 1;
    static char name[] = "brumvelda-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Types text as the keyboard layout delivers it: ASCII as keys, other letters (ö, ő...) as the key's text,
// which QTest cannot type as keys.
inline void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
// A field emptied and typed into.
inline void typeInto(QLineEdit* field, const QString& text)
{
    field->clear();
    field->setFocus();
    typeText(field, text);
}

// Radio buttons and check boxes react to a click on their mark, where a click always lands.
inline void clickMark(QAbstractButton* button)
{
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}
inline void choose(ui::RadioGroup* group, int index) { clickMark(group->button(index)); }

// A puzzle record as the tests write it; text is Windows-1250.
struct PuzzleRow
{
    std::string Szoveg;
    int32_t Nyelv = 1;
    std::string Sugo1 {};
    std::string Sugo2 {};
    int32_t Fokozat = 1;
    int32_t Kategoria = 1;
};

struct PlayerRow
{
    std::string Nev;
    int32_t OsszPont = 0;
    int32_t Jatszott = 0;
};

// A fresh folder standing in for the program's own folder.
class ProgramFolder
{
public:
    ProgramFolder() { EXPECT_TRUE(m_dir.isValid()); }

    std::string path() const { return m_dir.path().toStdString() + "/"; }
    std::string file(const std::string& name) const { return path() + name; }
    bool exists(const std::string& name) const { return std::filesystem::exists(file(name)); }

    void writeFile(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(file(name), std::ios::binary);
        out << bytes;
    }
    std::string readFile(const std::string& name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    void writeSettings(const std::string& iniText) const { writeFile("Brumvelda.ini", iniText); }
    QString settingsText() const { return QString::fromStdString(readFile("Brumvelda.ini")); }

    void writePuzzles(const std::vector<PuzzleRow>& rows) const
    {
        storage::Table table(storage::puzzleColumns());
        table.setFilePath(file("Brumvelda.lis"));
        table.open();
        for (const PuzzleRow& row : rows) {
            table.append();
            table.setString(storage::puzzle::Szoveg, row.Szoveg);
            table.setInt(storage::puzzle::Nyelv, row.Nyelv);
            table.setString(storage::puzzle::Sugo1, row.Sugo1);
            table.setString(storage::puzzle::Sugo2, row.Sugo2);
            table.setInt(storage::puzzle::Fokozat, row.Fokozat);
            table.setInt(storage::puzzle::Kategoria, row.Kategoria);
            table.post();
        }
        EXPECT_TRUE(table.close().ok());
    }

    void writePlayers(const std::vector<PlayerRow>& rows) const
    {
        storage::Table table(storage::playerColumns());
        storage::configurePlayerRegister(table);
        table.setFilePath(file("Brumvelda.jat"));
        table.open();
        for (const PlayerRow& row : rows) {
            table.append();
            table.setString(storage::player::Nev, row.Nev);
            table.setInt(storage::player::OsszPont, row.OsszPont);
            table.setInt(storage::player::Jatszott, row.Jatszott);
            table.post();
        }
        EXPECT_TRUE(table.close().ok());
    }

    void writeHistory(const std::vector<players::RoundRecord>& rounds) const
    {
        storage::Table table(storage::historyColumns());
        table.setFilePath(file("Brumvelda.tor"));
        table.open();
        for (const players::RoundRecord& round : rounds)
            players::appendRound(table, round);
        EXPECT_TRUE(table.close().ok());
    }
    std::vector<players::RoundRecord> readHistory() const
    {
        storage::Table table(storage::historyColumns());
        table.setFilePath(file("Brumvelda.tor"));
        table.open();
        std::vector<players::RoundRecord> rounds = players::readHistory(table);
        table.closeWithoutSaving();
        return rounds;
    }

    std::vector<PuzzleRow> readPuzzles() const
    {
        storage::Table table(storage::puzzleColumns());
        table.setFilePath(file("Brumvelda.lis"));
        table.open();
        std::vector<PuzzleRow> rows;
        for (table.first(); !table.eof(); table.next()) {
            rows.push_back({table.asString(storage::puzzle::Szoveg), table.asInt(storage::puzzle::Nyelv),
                            table.asString(storage::puzzle::Sugo1), table.asString(storage::puzzle::Sugo2),
                            table.asInt(storage::puzzle::Fokozat), table.asInt(storage::puzzle::Kategoria)});
        }
        EXPECT_TRUE(table.close().ok());
        return rows;
    }

    std::vector<PlayerRow> readPlayers() const
    {
        storage::Table table(storage::playerColumns());
        storage::configurePlayerRegister(table);
        table.setFilePath(file("Brumvelda.jat"));
        table.open();
        std::vector<PlayerRow> rows;
        for (table.first(); !table.eof(); table.next()) {
            rows.push_back({table.asString(storage::player::Nev), table.asInt(storage::player::OsszPont),
                            table.asInt(storage::player::Jatszott)});
        }
        EXPECT_TRUE(table.close().ok());
        return rows;
    }

private:
    QTemporaryDir m_dir;
};

// Answers for the modal windows a test expects, in order. A modal window nobody expected fails the test
// and is rejected, so a stray message box can neither hang nor pass unnoticed.
class ModalScript
{
public:
    using Answer = std::function<void(QDialog&)>;

    // The runner the windows are given: it answers every modal window from the script.
    const ui::ModalRunner& runner() const { return m_runner; }

    void expect(Answer answer) { m_answers.push_back(std::move(answer)); }
    // A message box: its text is recorded and its button `button` (or the default/escape one) pressed.
    void expectMessage(QMessageBox::StandardButton button = QMessageBox::Ok)
    {
        expect([this, button](QDialog& dialog) {
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            ASSERT_NE(box, nullptr) << "expected a message box, got " << dialog.metaObject()->className();
            QAbstractButton* pressed = box->button(button);
            ASSERT_NE(pressed, nullptr);
            pressed->click();
        });
    }

    // A message box captioned `title`, answered with `button`.
    void expectMessageTitled(const QString& title, QMessageBox::StandardButton button = QMessageBox::Ok)
    {
        expect([title, button](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), title);
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            ASSERT_NE(box, nullptr) << "expected a message box, got " << dialog.metaObject()->className();
            box->button(button)->click();
        });
    }
    // The window T; `act` acts while it is shown and must close it.
    template <typename T>
    void expectDialog(std::function<void(T&)> act)
    {
        expect([act](QDialog& shown) {
            auto* window = qobject_cast<T*>(&shown);
            ASSERT_NE(window, nullptr) << "expected " << T::staticMetaObject.className() << ", got "
                                       << shown.metaObject()->className();
            if (act)
                act(*window);
        });
    }

    int pending() const { return static_cast<int>(m_answers.size()); }
    // Text and title of every message box shown so far.
    const std::vector<QString>& messages() const { return m_messages; }
    const std::vector<QString>& titles() const { return m_titles; }

private:
    void answer(QDialog& dialog)
    {
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
            m_messages.push_back(box->text());
            m_titles.push_back(box->windowTitle());
        }
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected modal window " << dialog.metaObject()->className() << ": "
                          << dialog.windowTitle().toStdString()
                          << (m_messages.empty() ? std::string() : " / " + m_messages.back().toStdString());
            dialog.reject();
            return;
        }
        Answer next = std::move(m_answers.front());
        m_answers.pop_front();
        next(dialog);
    }

    std::deque<Answer> m_answers;
    std::vector<QString> m_messages;
    std::vector<QString> m_titles;
    ui::ModalRunner m_runner {[this](QDialog& dialog) { answer(dialog); }};
};

// Base fixture: folder, modal script, windows.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override { application(); }

    void TearDown() override
    {
        if (windows.frmMain)
            endProgram();
        EXPECT_EQ(modals.pending(), 0) << "expected modal windows were not shown";
    }

    // Makes the eight windows in the folder and shows the main one, as the program does at start.
    void startProgram(uint32_t seed = 12345)
    {
        StartupOptions options;
        options.programFolder = folder.path();
        options.randomSeed = seed;
        options.screenReader = screenReaderAtStart;
        options.clockMinutes = clockMinutes;
        options.puzzlePack = puzzlePack;
        createWindows(windows, modals.runner(), options);
        windows.frmMain->show();
    }
    // Starts with `player` (already in the register) remembered as the last one; `last` and `mainSettings`
    // are further lines of the settings file's "Last" and "Main" sections.
    void startAs(const std::string& player, const std::string& last = "",
                 const std::string& mainSettings = "", uint32_t seed = 12345)
    {
        folder.writeSettings((mainSettings.empty() ? "" : "[Main]\n" + mainSettings + "\n")
                             + "[Last]\nUser=" + player + "\n" + last);
        startProgram(seed);
        ASSERT_EQ(main().variables().PlayerName, player) << "the last player was not restored";
    }
    // The current player's name, figures or level as the player dialog's OK hands them over (a round in play
    // ends); the rest stays.
    void takeOver(const std::string& name, int32_t total, int32_t rounds, int32_t level)
    {
        main().ApplyPlayerChoice(name, total, rounds, level, main().variables().PlayLanguage);
    }
    void takeOverName(const std::string& name)
    {
        const game::GameVariables& v = main().variables();
        takeOver(name, v.PlayerTotal, v.PlayerRounds, v.PlayLevel);
    }
    void takeOverFigures(int32_t total, int32_t rounds)
    {
        const game::GameVariables& v = main().variables();
        takeOver(v.PlayerName, total, rounds, v.PlayLevel);
    }
    void takeOverLevel(int32_t level)
    {
        const game::GameVariables& v = main().variables();
        takeOver(v.PlayerName, v.PlayerTotal, v.PlayerRounds, level);
    }
    // Destroys the windows as the program does at its end (without the exit save).
    void endProgram() { destroyWindows(windows); }

    TfrmMain& main() { return *windows.frmMain; }

    template <typename T = QWidget>
    T* control(QWidget* window, const QString& name)
    {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << "no control " << name.toStdString();
        return found;
    }
    template <typename T = QWidget>
    T* control(const QString& name)
    {
        return control<T>(windows.frmMain, name);
    }

    // A real left click at the button's centre (nothing happens when it is disabled or hidden).
    static void click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, button, modifiers);
    }
    void click(const QString& name) { click(control(name)); }

    // Clicks `button` (a toolbar button) expecting the window T, which `inside` acts on and must close.
    template <typename T>
    void withDialog(QWidget* button, std::function<void(T&)> inside)
    {
        modals.expectDialog<T>(std::move(inside));
        click(button);
    }
    // Ends the program by its exit button, as the user does, and destroys the windows.
    void exitProgram()
    {
        click(main().tbExit);
        endProgram();
    }

    ProgramFolder folder;
    bool screenReaderAtStart = false; // what the game is told at start: a screen reader runs
    std::optional<int32_t> clockMinutes; // the local time of the run; empty: the clock
    std::string puzzlePack; // the installed list the puzzle of the day comes from; empty: the player's own
    ModalScript modals;
    Windows windows;
};

} // namespace testing_support

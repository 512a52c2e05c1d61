#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <string>

#include "WorkbenchFixture.h"
#include "devices/OnScreenKeyMap.h"
#include "devices/Peripherals.h"
#include "workbench/TFormRamHex.h"
#include "workbench/devices/TFormKeyPad.h"
#include "workbench/devices/TFormLift.h"

// What a screen reader finds in the workbench, read through Qt's accessibility interfaces.
namespace {

QAccessibleInterface* Accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

std::string Description(QWidget* widget) {
    QCoreApplication::processEvents(); // the words follow a change once the loop comes round
    return Accessible(widget)->text(QAccessible::Description).toStdString();
}

// Every interface under the window, the window too, hidden ones as well: a reader's tree
// lists hidden scroll bars and menus. Only separators have nothing to say.
void CollectNameless(QAccessibleInterface* node, QStringList& nameless) {
    if (node->role() != QAccessible::Separator &&
        node->text(QAccessible::Name).trimmed().isEmpty()) {
        const QObject* object = node->object();
        nameless << QStringLiteral("%1 (%2) in %3")
                        .arg(object ? QString::fromLatin1(object->metaObject()->className())
                                    : QStringLiteral("cell"))
                        .arg(node->role())
                        .arg(node->parent() ? node->parent()->text(QAccessible::Name) : QString());
    }
    for (int i = 0; i < node->childCount(); ++i) {
        CollectNameless(node->child(i), nameless);
    }
}

using AccessibilityTest = WorkbenchTest;

TEST_F(AccessibilityTest, EveryControlOfEveryWindowHasAName) {
    form->show();
    for (size_t i = 0; i < PeripheralCount; ++i) {
        form->Windows().Window(static_cast<Peripheral>(i))->show();
    }
    for (int page = 0; page < form->PageControl1->count(); ++page) {
        form->PageControl1->setCurrentIndex(page);
        QStringList nameless;
        CollectNameless(Accessible(form.get()), nameless);
        EXPECT_TRUE(nameless.isEmpty())
            << "page " << page << ": " << nameless.join(u'\n').toStdString();
    }
    QStringList nameless;
    for (size_t i = 0; i < PeripheralCount; ++i) {
        CollectNameless(Accessible(form->Windows().Window(static_cast<Peripheral>(i))), nameless);
    }
    EXPECT_TRUE(nameless.isEmpty()) << nameless.join(u'\n').toStdString();
}

TEST_F(AccessibilityTest, ButtonsAreNamedByCaptionOrHintAndDescribedByTheirHint) {
    QAccessibleInterface* run = Accessible(form->CommandButtons[2]);
    EXPECT_EQ(run->text(QAccessible::Name), "Run F9");
    EXPECT_EQ(run->text(QAccessible::Description), "CONTINUOUS PROGRAM RUN");
    QAccessibleInterface* open = Accessible(form->ToolButtons[0]);
    EXPECT_EQ(open->text(QAccessible::Name), "FILE OPEN CTRL+O");
    EXPECT_EQ(Accessible(form->memoSource)->text(QAccessible::Name), "Source Code");
}

TEST_F(AccessibilityTest, TheStatusLineIsAStatusBarNamedByItsText) {
    QAccessibleInterface* status = Accessible(form->LabelCurrInstr);
    EXPECT_EQ(status->role(), QAccessible::StatusBar);
    EXPECT_EQ(status->text(QAccessible::Name), "Status line"); // blank, it still has a name
    form->ShowStatus("Hello there", StatusStyle::Progress);
    EXPECT_EQ(status->text(QAccessible::Name), "Hello there");
}

TEST_F(AccessibilityTest, TheRamViewIsATableOfItsCellsWithTheIpAndSpMarks) {
    Open("stack.asm", "MOV AL,41\nPUSH AL\nHALT\nEND\n");
    ASSERT_TRUE(Assemble());
    form->ButtonStepClick();
    form->RamView->SetView(TFormRamHex::View::Hexadecimal);
    QAccessibleInterface* view = Accessible(form->RamView);
    ASSERT_EQ(view->role(), QAccessible::Table);
    QAccessibleTableInterface* table = view->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 16);
    EXPECT_EQ(table->columnCount(), 16);
    struct CellCase {
        int Row, Column;
        const char *Name, *Description;
    };
    for (const CellCase& c :
         {CellCase{0, 2, "41", "address 02"}, CellCase{0, 3, "E0", "address 03, IP"},
          CellCase{11, 15, "00", "address BF, SP"}}) {
        QAccessibleInterface* cell = table->cellAt(c.Row, c.Column);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->text(QAccessible::Name), c.Name) << c.Description;
        EXPECT_EQ(cell->text(QAccessible::Description), c.Description);
        EXPECT_EQ(cell->tableCellInterface()->rowIndex(), c.Row);
        EXPECT_EQ(view->child(view->indexOfChild(cell)), cell);
    }
    form->RamView->SetView(TFormRamHex::View::Source);
    EXPECT_EQ(table->cellAt(0, 3)->text(QAccessible::Name), "PUSH");
}

struct WindowWordsCase {
    Peripheral Window;
    std::function<void(TFormMain&)> Drive;
    const char* Words;
};

TEST_F(AccessibilityTest, EachDeviceWindowDescribesItsStateOnceALoopTurn) {
    const WindowWordsCase cases[] = {
        {Peripheral::TrafficLights, [](TFormMain& f) { f.Devices().Lights.PortWrite(0x84); },
         "left lights: red on, amber off, green off; right lights: red off, amber off, green on"},
        {Peripheral::SevenSegment, [](TFormMain& f) { f.Devices().Digits.PortWrite(0x0B); },
         "left digit blank, right digit 1"},
        {Peripheral::Heater, [](TFormMain& f) { f.Devices().Heating.PortWrite(0x80); },
         "heater on, 0.0 degrees, thermostat cold"},
        {Peripheral::Maze, [](TFormMain& f) { f.Devices().Snake.PortWrite(0x43); },
         "snake head at x 20, y 26, last byte 43"},
        {Peripheral::Stepper, [](TFormMain& f) { f.Devices().Motor.PortWrite(0x03); },
         "stepper motor: rotor at -5 degrees, phases 0 and 1 on"},
        {Peripheral::Lift, [](TFormMain& f) { f.Devices().Car.CallLift(Lift::Floor::Top); },
         "lift: car at the bottom, stopped, top call waiting"},
        {Peripheral::Keypad,
         [](TFormMain& f) {
             static_cast<TFormKeyPad*>(f.Windows().Window(Peripheral::Keypad))
                 ->ImageKeyPadMouseDown(100, 10);
         },
         "last key A"},
    };
    for (const WindowWordsCase& c : cases) {
        QWidget* window = form->Windows().Window(c.Window);
        QCoreApplication::processEvents();
        const QString before = Accessible(window)->text(QAccessible::Description);
        c.Drive(*form);
        c.Drive(*form);
        // Changes made while the event loop waits cost nothing until it comes round.
        EXPECT_EQ(Accessible(window)->text(QAccessible::Description), before) << c.Words;
        EXPECT_EQ(Description(window), c.Words);
    }
}

TEST_F(AccessibilityTest, TheScreenReadsItsRows) {
    Open("ok.asm", "MOV AL,4F\nMOV [C0],AL\nMOV AL,4B\nMOV [C1],AL\nHALT\nEND\n");
    ASSERT_TRUE(Assemble());
    form->ShowPeripheral(Peripheral::Vdu);
    for (int step = 0; step < 4; ++step) {
        form->ButtonStepClick();
    }
    EXPECT_EQ(Description(form->Windows().Window(Peripheral::Vdu)),
              "row 1: OK; row 2: ; row 3: ; row 4: ");
}

// Ctrl+F6 brings the keyboard to the next open window, which keeps it, although the main
// window takes the activation back from a device window that was only clicked.
TEST_F(AccessibilityTest, CtrlF6TakesTheKeyboardToTheNextWindowWhichKeepsIt) {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->ShowPeripheral(Peripheral::Keypad);
    QWidget* keypad = form->Windows().Window(Peripheral::Keypad);
    const auto activeWindowIs = [](QWidget* window) {
        return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
    };
    // The focus frame runs along the top edge, a dash from its second pixel on.
    const auto framed = [keypad] {
        return keypad->grab().toImage().pixelColor(4, 1) ==
               keypad->palette().color(QPalette::Highlight);
    };
    EXPECT_FALSE(framed());
    QTest::keyClick(form->memoSource, Qt::Key_F6, Qt::ControlModifier);
    ASSERT_TRUE(activeWindowIs(keypad));
    form->TimerStatusClearTimer();
    QTest::qWait(100);
    EXPECT_EQ(QApplication::activeWindow(), keypad);
    EXPECT_TRUE(framed());
    QTest::keyClick(keypad, Qt::Key_F6, Qt::ControlModifier);
    EXPECT_TRUE(activeWindowIs(form.get()));
}

// The keyboard presses the same key, calls the same floor or sets the same degree as the
// click it stands for.
struct KeyCase {
    Peripheral Window;
    int Key;
    Qt::KeyboardModifiers Modifiers;
    std::function<void(QWidget&)> Click;
    std::function<int(Peripherals&)> Input;
};

void ClickAt(QWidget& window, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), window.mapToGlobal(QPointF(at)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &press);
}

TEST_F(AccessibilityTest, AKeyWorksADeviceAsItsClickDoes) {
    const KeyCase cases[] = {
        {Peripheral::Keypad, Qt::Key_7, Qt::NoModifier,
         [](QWidget& w) {
             ClickAt(w, {10, 70});
         },
         [](Peripherals& d) { return int(d.Pad.PadCode()); }},
        {Peripheral::Keypad, Qt::Key_Return, Qt::NoModifier,
         [](QWidget& w) {
             ClickAt(w, {130, 100});
         },
         [](Peripherals& d) { return int(d.Pad.PadCode()); }},
        {Peripheral::Keyboard, Qt::Key_C, Qt::ControlModifier,
         [](QWidget& w) {
             const KeyRegion* ctrlC = FindKeyByCode(0x03);
             ClickAt(w, {(ctrlC->Left + ctrlC->Right) / 2, (ctrlC->Top + ctrlC->Bottom) / 2});
         },
         [](Peripherals& d) { return int(d.Keyboard.KeyCode()); }},
        {Peripheral::Heater, Qt::Key_Up, Qt::NoModifier,
         [](QWidget& w) {
             ClickAt(w, {170, 148 - 3});
         },
         [](Peripherals& d) { return int(d.Heating.Temperature() * 10); }},
        {Peripheral::Lift, Qt::Key_Up, Qt::NoModifier,
         [](QWidget& w) { static_cast<TFormLift&>(w).SpeedButtonUp->click(); },
         [](Peripherals& d) { return d.Car.LiftBits(); }},
    };
    for (const KeyCase& c : cases) {
        QWidget* window = form->Windows().Window(c.Window);
        form->ShowPeripheral(c.Window);
        c.Click(*window);
        const int clicked = c.Input(form->Devices());
        form->Devices().Car.Restore({});
        form->Devices().Heating.Restore({});
        form->Devices().Pad.Restore({});
        form->Devices().Keyboard.Restore({});
        ASSERT_NE(c.Input(form->Devices()), clicked) << static_cast<int>(c.Window);
        QTest::keyClick(window, static_cast<Qt::Key>(c.Key), c.Modifiers);
        EXPECT_EQ(c.Input(form->Devices()), clicked) << static_cast<int>(c.Window);
    }
}

} // namespace

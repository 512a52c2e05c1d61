#include <gtest/gtest.h>

#include <string>

#include "web/session/BrowserSession.h"

namespace {

// Line 3 holds the code that writes BL; the loop goes on for ever.
constexpr const char* Loop = "MOV AL,1\nSTART:\nMOV BL,2\nINC AL\nJMP START\nEND\n";

class RunToLineTest : public testing::Test {
  protected:
    RunToLineTest() {
        session.SetSource(Loop);
        session.SetCpuClockInterval(RunControl::FastestClock);
    }

    SessionReport RunAWhile() {
        for (int frame = 0; frame < 10; ++frame) {
            session.RunFor(50);
        }
        return session.TakeReport();
    }

    BrowserSession session;
};

TEST_F(RunToLineTest, TheRunStopsBeforeTheLinesCodeAndTheStopLastsOneRun) {
    session.RunToLine(3);
    SessionReport stopped = RunAWhile();
    EXPECT_FALSE(stopped.Running);
    EXPECT_EQ(session.SourceLineOfAddress(stopped.Registers[IP]), 3);
    session.ButtonContinuousClick();
    EXPECT_TRUE(RunAWhile().Running); // the stop went with the run that asked for it
}

TEST_F(RunToLineTest, ALineBeyondTheCodeStopsTheRunWithAMessage) {
    session.RunToLine(99);
    const SessionReport report = session.TakeReport();
    EXPECT_FALSE(report.Running);
    ASSERT_TRUE(report.Status);
    EXPECT_EQ(report.Status->Style, StatusStyle::Error);
    EXPECT_NE(report.Status->Text.find("No code on line 99 or after it"), std::string::npos);
}

} // namespace

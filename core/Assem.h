#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assembler/ListFile.h"
#include "assembler/TokNode.h"
#include "core/ErrorReport.h"
#include "core/MachineLink.h"
#include "core/MachineState.h"
#include "core/PortMap.h"
#include "core/RunEnd.h"
#include "core/RunLog.h"
#include "core/StepReport.h"
#include "core/UserInterface.h"

// The switches a front end sets on the engine; the engine reads them, never the widgets.
struct EngineSettings {
    bool RunLog = false; // narrate every instruction in the run log
    bool AsmLog = false; // narrate the assembly, token by token
    // With RunLog, an entry for every interrupt taken as well.
    bool LogInterrupts = false;
};

// The machine object: the assembler with its token list and list file, and the CPU with
// its RAM, registers and port map. One instance lives as long as the program; its devices
// reach it as their MachineLink.
class Taaa final : public MachineLink {
  public:
    explicit Taaa(UserInterface& ui);
    Taaa(const Taaa&) = delete;
    Taaa& operator=(const Taaa&) = delete;

    UserInterface& Ui;
    EngineSettings Settings;
    // What has changed on the screen since the front end last applied the report.
    StepReport Report;
    TokenStore Tokens;
    MachineState Machine;
    std::vector<tokNode*> TokenList;
    ListFile List;
    PortMap Ports;
    RunLog Log;

    // Parser state.
    int32_t TokenIndex = 0;
    int CodeAddress = 0; // 256 once a byte was placed at FF
    bool EndSeen = false;
    bool CommentAppended = false;
    // True while an assembly runs; with assembler logging on, events pass during it.
    bool Assembling = false;
    // The assemblies that have read the source, failed or not: a front end that keeps what it
    // learnt from one sees when a newer one has replaced it.
    int64_t Assemblies = 0;

    // Held for the main window: the IP of the previous ShowCurrentInstruction, and the
    // Running state saved while IN 00 awaits a key.
    int LastShownIP = 0;
    bool ResumeAfterInput = false;

    // How the last step or run ended; None while it goes on.
    RunEnd Ended = RunEnd::None;
    // Every error and box reported since the last assembly began, in order.
    std::vector<ErrorReport> Errors;

    // Token list (tokeniser).
    void ClearProgram();
    bool MakeTokens(); // false when the source file cannot be read back
    tokNode* Head() { return Tokens.Head(); }
    tokNode* CurrentToken();
    tokNode* PreviousToken();
    const std::string& CurrentText();
    void Advance() { ++TokenIndex; }
    tokNode* TokenAt(int32_t i);

    // Parser and code placement.
    void ParseTokens();
    void CalculateJumps();
    // The two closing lines and the first line's suffix, once parse and jump pass succeeded.
    void AddSuccessLines();
    void ReportError(std::string_view message, tokNode* token);
    // A message box with no place in the source.
    void ReportBox(std::string_view message);
    void AddListLine(std::string line);

    // The Assemble command.
    void ButtonAssembleClick();

    // Execution. A step, and an interrupt, report how they ended the run (None: it goes on).
    RunEnd ButtonStepClick();
    // Steps of a run that nobody watches (no run log, no breakpoints), at most `most`: those
    // whose instructions compute on registers and RAM below the VDU and report no error, with
    // no report kept per step. The report and the machine end as the same steps made by
    // ButtonStepClick leave them. Stops before an instruction that needs an ordinary step;
    // how many steps it made.
    int64_t StepUnwatched(int64_t most);
    void ShowCurrentInstruction();
    // The status line, for the engine and for the front end's own messages ("Saved ...").
    void ShowStatus(std::string_view text, StatusStyle style) { Report.ShowMessage(text, style); }
    // The status line's text as shown, with its leading space.
    std::string StatusText() const;
    RunEnd RaiseInterrupt(int vectorAddress) override;
    // IN 00 has begun and awaits its key: steps and interrupts do nothing until SupplyKey.
    bool AwaitingKey() const { return awaitingKey_; }
    // Completes the awaited IN 00 as its step would have: the code goes to AL and a run goes
    // on, or Escape (1B) ends the run and leaves AL; IP then passes the instruction. Reports
    // how it ended the run; without an awaited key it does nothing.
    RunEnd SupplyKey(uint8_t code);
    // A snapshot's IN 00 that awaits its key, or none; a wait it brings back asks for the key
    // again.
    void RestoreAwaitedKey(bool awaiting) {
        const bool asks = awaiting && !awaitingKey_;
        awaitingKey_ = awaiting;
        if (asks) {
            Report.KeyAwaited = true;
        }
    }
    bool EnterRunMode();
    void LeaveRunMode();
    // Every end of a run (HALT, errors, Escape at IN 00, the maze's edge) goes through here.
    void EndRun(RunEnd why) override;

  private:
    // Recognisers.
    void AsmLog(std::string_view text);
    bool MightHaveComment();
    bool MightHave(std::string_view keyword);
    bool MustHave(std::string_view sign);
    bool MightHaveRegister();
    bool MightHaveHexNumber();
    bool MightHaveDestLabel();
    void EmitByte(tokNode& token);
    void SelectTokenLine(int32_t index);

    // Statement parts.
    void ParseComment(const std::string& text);
    bool ParseMnemonic();
    void ParseEnd(tokNode& token);
    void FinishParse();
    void FillEmptyCells();

    // Operand families.
    void ParseOneRegister(tokNode& mnemonic);
    void ParseTwoOperand(tokNode& mnemonic);
    void ParseMove(tokNode& mnemonic);
    void ParseCompare(tokNode& mnemonic);
    void ParsePort(tokNode& mnemonic);
    void ParseOneNumber(tokNode& mnemonic);
    void ParseOrigin(tokNode& mnemonic);
    void ParseData(tokNode& mnemonic);
    void ParseDataString(tokNode& mnemonic);
    void ParseNoOperand(tokNode& mnemonic);
    void ParseJump(tokNode& mnemonic);
    // The first operand register and its comma; none after an error.
    tokNode* RegisterAndComma();
    // Sets the opcode, places the bytes, widens the mnemonic's span, adds the list line.
    void PlaceInstruction(tokNode& mnemonic, uint8_t opcode, std::vector<tokNode*> operands,
                          bool endsWithBracket = false);
    static void Bracket(tokNode& token);
    bool IsLabelName(std::string_view text, bool colon) const;

    void RunAssemblerPasses();
    void ShowProgress(std::string_view phase);

    // Execution.
    static constexpr int NoStep = -1;
    // The IP at which the executing step or interrupt began: execution errors belong there.
    int stepIp_ = NoStep;
    // The instruction at stepIp_, when its cell has source text.
    const tokNode* FailingInstruction() const;
    // Where an error belongs: the failing instruction during a step or interrupt, else the
    // token the assembler was reading, whatever its length (a blank line's marker has none).
    const tokNode* ErrorPlace(tokNode* token) const;
    void RecordProgramError(std::string_view message, const tokNode* place);
    // Closes a step or interrupt after the instruction at IP was shown: one that failed
    // selects its own instruction again, where the error is placed.
    [[gnu::always_inline]] void EndStep() {
        if (IsProgramError(Ended)) [[unlikely]] {
            SelectFailingInstruction();
        }
        stepIp_ = NoStep;
    }
    void SelectFailingInstruction();
    // A step that ends at the END marker shown just before shows that the program halted.
    static bool HaltShown(const HeldSpan& cell, int ip, int lastShownIp) {
        return cell.ValueIsZero && ip == lastShownIp;
    }
    // Shows the instruction a cell holds, at the end of a step that left IP there.
    [[gnu::always_inline]] void ShowHeldInstruction(int ip, const HeldSpan& cell, bool halted) {
        Report.Select(cell.Start, cell.Length);
        if (Machine.NoError) {
            if (halted) {
                ShowStatus("END  Program has halted.", StatusStyle::Halted);
            } else {
                Report.ShowSource(cell.Start, cell.Length);
            }
        }
        LastShownIP = ip;
    }
    // Every step ends here, so it is inline in the step.
    [[gnu::always_inline]] void ShowInstructionAtIp() {
        const int ip = Machine.Reg[IP];
        const HeldSpan& cell = Machine.HeldSource(ip);
        if (cell.Length > 0) {
            ShowHeldInstruction(ip, cell, HaltShown(cell, ip, LastShownIP));
        }
    }
    // The ordinary step's refusals, which an unwatched run leaves to it.
    bool StepRefused() {
        return Assembling || awaitingKey_ || Machine.NeedsAssembly || !Machine.NoError || !Head();
    }
    // The end of a step once its instruction is done: the instruction at IP shown, the step
    // closed, the VDU redrawn.
    void FinishStep();
    // The checks of a step that rarely apply: an assembly under way or due, a key awaited, a
    // program with an error. How the step ends when it cannot execute; none when it can.
    [[gnu::cold]] std::optional<RunEnd> RefuseStep();
    // IN 00's half of its step; SupplyKey is the other.
    void AwaitKey();
    bool awaitingKey_ = false;
    using Executor = void (*)(Taaa&);
    static std::array<Executor, 256> BuildDispatch();
    static const std::array<Executor, 256> Dispatch;
    // The checks and the IP advance of every step are inline; their rare paths are not.
    [[gnu::always_inline]] bool BeyondEndOfMemory(int length) {
        return (Machine.Reg[IP] & 0xFF) + length > 0xFF && RefuseBeyondEnd();
    }
    [[gnu::always_inline]] bool ValidRegister(int offset) {
        return (OperandByte(offset) & 0xFF) <= DL || RefuseRegister();
    }
    int OperandByte(int offset) const { return Machine.CellValue(Machine.Reg[IP] + offset); }
    [[gnu::always_inline]] void AdvanceIp(int length) {
        Machine.SetRegister(IP, Machine.Reg[IP] + length, false);
        if (Log.Enabled()) {
            LogIpAdvance(length);
        }
    }
    void LogIpAdvance(int length);
    bool RefuseBeyondEnd(); // true, after the error
    bool RefuseRegister();  // false, after the error
    void DecrementStack();  // SP - 1, or "Stack overflow." at 00
    void PushValue(int value);
    bool PopUnderflows();
    std::string ExplanationPrefix(int ip) const;

    void ExecuteIllegal();
    void ExecuteOneByte();
    void ExecuteOneRegister();
    void ExecuteArithmetic();
    void ExecuteJump();
    void ExecuteMove();
    void ExecuteCompare();
    void ExecuteInOut();
    void ExecuteShiftOrCount();
    [[gnu::cold]] void LogShiftOrCount(int opcode, int ip);
    void ExecuteCallOrInt(int opcode);
    void ExecutePush();
    void ExecutePop();
    void ExecuteReturn();
    void DivideByZero();
};

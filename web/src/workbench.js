// The workbench page: the session behind it, and the report it gives applied to the panel,
// the editor, the tabs and the floating windows once an animation frame.
import { CommandButtons, commandKeys, keysOfCommands, keyOfEvent } from './commands.js';
import { TopPanel, SwitchCaptions } from './topPanel.js';
import { MenuBar } from './menus.js';
import { Tabs, TabCaptions } from './tabs.js';
import { SourceEditor } from './editor.js';
import { RunLogPane } from './runLog.js';
import { ErrorList } from './errorList.js';
import { RamView } from './ramView.js';
import { Panel } from './panels.js';
import { DevicePanel } from './devicePanels.js';
import { OpenWindows, applyWindowCommand } from './windowRules.js';
import { keyCodeOf } from './keys.js';
import { FrameClock } from './frameClock.js';
import { readSourceFile, pickFile, saveSource, fetchExample, takeDroppedFiles } from './files.js';
import { saveSettings, withRecentFile } from './settings.js';
import { showMessage, beep, ask, boxOpen } from './boxes.js';
import { Printing } from './printing.js';

const Untitled = 'Untitled';
const LongestFrame = 250; // ms of simulated time a frame may take up after the page slept
const ShownFrameInterval = 30; // ms, a little less than two frames at 60 a second
const StatusShownMs = 10000; // a message stays about ten seconds
// During a continuous run the editor follows the instruction this often at most: moving the
// selection costs the editor a redraw, and no eye follows 500 steps a second.
const RunningSelectionInterval = 100;
const FontSizes = [8, 9, 10, 11, 12, 14, 16, 18, 20, 24];
// Panels open below the top panel, where they never hide its buttons.
const PanelsTop = 170;

export class Workbench {
  constructor(root, { session, settings, storage, painter }) {
    this.session = session;
    this.settings = settings;
    this.storage = storage;
    this.fileName = Untitled;
    this.fileHandle = null;
    this.sourceStale = true;
    this.selection = null; // the instruction to select, while a run holds it back
    this.selectedAt = 0;
    this.statusShownAt = null;
    this.faultShown = false;
    this.grey = false;
    this.running = false;
    this.fontIndex = 4;
    this.bold = false;
    this.keys = commandKeys([
      ...CommandButtons.map((b) => [b.caption, b.command]),
      ...Object.entries(TabCaptions).map(([name, caption]) => [caption, `tab:${name}`]),
      ...Object.entries(SwitchCaptions).map(([name, caption]) => [caption, `toggle:${name}`]),
    ]);
    const keyHints = keysOfCommands(this.keys);
    this.menus = new MenuBar(root, (c) => this.run(c));
    this.top = new TopPanel(root, { run: (c) => this.run(c), keyHints });
    this.tabs = new Tabs(root);
    this.editor = new SourceEditor(this.tabs.pages.source, {
      onChange: () => this.sourceChanged(),
      onBreakpointsChanged: (lines) => session.SetBreakpointLines(lines),
    });
    this.errorList = new ErrorList(this.tabs.pages.source, (line) => this.editor.selectLine(line));
    this.runLog = new RunLogPane(this.tabs.runLogPane);
    this.tabs.buildConfiguration({
      reduce: () => this.run('timerReduce'),
      increase: () => this.run('timerIncrease'),
      oneAtATime: (on) => this.remember({ oneAtATime: on }),
    });
    this.buildWindows(painter);
    this.printing = new Printing(() => this.editor.text);
    this.applySettings();
    this.followKeys();
    takeDroppedFiles(document.body, (file) => this.openFile(file));
    window.addEventListener('beforeunload', (e) => {
      if (this.editor.modified) e.preventDefault();
    });
    this.showCaption();
    this.menus.showRecentFiles(settings.recentFiles.map((f) => f.name), (i) => this.openRecent(i));
  }

  // ---- windows

  buildWindows(painter) {
    const devices = this.session.Devices();
    const closeList = [...devices].sort((a, b) => a.closeRank - b.closeRank).map((d) => d.window);
    this.windows = new OpenWindows(closeList);
    this.panels = {};
    const panel = (name, caption, place, closable = true) =>
      (this.panels[name] = new Panel({
        name, caption, closable,
        place: this.settings.places[name] ?? place,
        onMoved: (n, p) => this.remember({ places: { ...this.settings.places, [n]: p } }),
        onClosed: (n) => this.hideWindow(n),
      }));
    this.ramView = new RamView(panel('RamView', 'RAM Source Code View', { x: 300, y: 270 }), {
      view: 2,
    });
    this.keyInput = panel('KeyboardInput', 'Keyboard Input', { x: 200, y: 200 }, false);
    this.keyInput.body.classList.add('key-prompt');
    this.keyInput.body.textContent = ' Waiting for keyboard input > ';
    this.keyInput.element.tabIndex = 0;
    this.keyInput.element.addEventListener('keydown', (e) => this.typeAwaitedKey(e));
    this.devicePanels = {};
    devices.forEach((d, index) => {
      const p = panel(d.window, d.caption, { x: 560 + 12 * index, y: PanelsTop + 24 * index });
      this.devicePanels[d.window] = new DevicePanel(p, { window: d.window, session: this.session, painter });
    });
  }

  showWindow(name) {
    this.applyWindows([{ kind: 'Show', window: name }]);
  }

  hideWindow(name) {
    if (name === 'KeyboardInput') return; // the program must not be left without its key
    this.applyWindows([{ kind: 'Hide', window: name }]);
  }

  applyWindows(commands) {
    for (const command of commands) {
      const { closed, opened } = applyWindowCommand(this.windows, command, this.settings.oneAtATime);
      closed.forEach((name) => this.panels[name]?.hide());
      if (opened) {
        this.panels[command.window]?.show();
        this.devicePanels[command.window]?.redraw();
      }
    }
  }

  // Each window back at its first place.
  arrange() {
    this.remember({ places: {} });
    Object.values(this.panels).forEach((p, index) => p.moveTo({ x: 520 + 12 * index, y: PanelsTop + 24 * index }));
  }

  // ---- commands

  run(command) {
    const [name, argument] = command.split(':');
    const action = this.commands[name];
    if (action) {
      this.syncSource();
      action.call(this, argument);
      // What the command changed shows at once, not at the next frame: a student may type the
      // moment STOP gives the editor back.
      this.applyReport(this.session.TakeReport());
    }
  }

  commands = {
    assemble() { this.session.ButtonAssembleClick(); },
    step() { this.session.ButtonStepClick(); },
    run() { this.session.ButtonRunClick(); },
    continue() { this.session.ButtonContinuousClick(); },
    stop() { this.session.ButtonStopClick(); },
    reset() { this.session.ButtonResetClick(); },
    slower() { this.session.ButtonSlowClick(); this.clockChanged(); },
    faster() { this.session.ButtonFastClick(); this.clockChanged(); },
    timerReduce() { this.session.ButtonIntervalReduceClick(); this.timerChanged(); },
    timerIncrease() { this.session.ButtonIntervalIncreaseClick(); this.timerChanged(); },
    stepBack() { this.session.ButtonStepBackClick(); },
    showRam() { this.showWindow('RamView'); },
    show(name) { this.showWindow(name); },
    closeAll() { this.applyWindows([{ kind: 'HideAllDevices' }]); },
    ramView(view) { this.showWindow('RamView'); this.ramView.applyView(Number(view)); },
    toggleBreakpoint() { this.editor.toggleBreakpointAtCursor(); },
    clearBreakpoints() { this.editor.clearBreakpoints(); },
    runToCursor() { this.session.RunToLine(this.editor.cursorLine()); },
    undo() { this.editor.undo(); },
    redo() { this.editor.redo(); },
    selectAll() { this.editor.selectAll(); },
    find() { this.editor.find(); },
    replace() { this.editor.find(); },
    enlargeFont() { this.setFont(Math.min(this.fontIndex + 1, FontSizes.length - 1), this.bold); },
    reduceFont() { this.setFont(Math.max(this.fontIndex - 1, 0), this.bold); },
    boldFont() { this.setFont(this.fontIndex, !this.bold); },
    arrange() { this.arrange(); },
    tab(name) { this.tabs.show(name); },
    toggle(name) { this.top[name].box.click(); },
    new() { this.newSource(); },
    open() { this.openPicked(); },
    save() { this.save(false); },
    saveAs() { this.save(true); },
    printSource() { this.printing.print(this.editor.text); },
    printList() { this.printing.print(this.listText()); },
    example(fileName) { this.openExample(fileName); },
    help() { window.open('manual/corvane.html', '_blank', 'noopener'); },
    about() { showMessage('Corvane\nA workbench for a small 8-bit microprocessor, in the browser.', 'Information'); },
  };

  followKeys() {
    document.addEventListener('keydown', (e) => {
      const command = this.keys[keyOfEvent(e)] ?? this.keys[e.key];
      if (!command || e.defaultPrevented) return;
      e.preventDefault();
      this.run(command);
    });
  }

  // ---- the source

  sourceChanged() {
    this.sourceStale = true;
    this.showCaption();
  }

  syncSource() {
    if (this.sourceStale) {
      this.session.SetSource(this.editor.text);
      this.sourceStale = false;
    }
  }

  showCaption() {
    document.title = `${this.editor.modified ? '*' : ''}${this.fileName} - Corvane`;
  }

  // Asked before a command throws the editor's text away; false when the command must stop.
  async mayDropChanges() {
    if (!this.editor.modified) return true;
    const answer = await ask('Save source code now?');
    return answer === 'Yes' ? this.save(false) : answer === 'No';
  }

  loadSource(name, text, handle = null) {
    this.session.ButtonStopClick();
    this.editor.setText(text);
    this.sourceStale = true;
    this.syncSource();
    this.fileName = name;
    this.fileHandle = handle;
    this.tabs.show('source');
    this.showCaption();
  }

  async newSource() {
    if (await this.mayDropChanges()) this.loadSource(Untitled, '');
  }

  async openPicked() {
    if (!(await this.mayDropChanges())) return;
    const file = await pickFile();
    if (file) await this.openFile(file);
  }

  async openFile(file) {
    const read = await readSourceFile(file);
    if (read.error) {
      showMessage(read.error, 'Error');
      return;
    }
    if (await this.mayDropChanges()) {
      this.loadSource(read.name, read.text);
      this.rememberFile(read.name, read.text);
    }
  }

  async openRecent(index) {
    const file = this.settings.recentFiles[index];
    if (file && (await this.mayDropChanges())) this.loadSource(file.name, file.text);
  }

  async openExample(fileName) {
    if (!(await this.mayDropChanges())) return;
    try {
      this.loadSource(fileName, await fetchExample(fileName));
    } catch (e) {
      showMessage(e.message, 'Error');
    }
  }

  async save(askName) {
    const name = this.fileName === Untitled ? 'Untitled.asm' : this.fileName;
    try {
      const saved = await saveSource(this.editor.text, { name, handle: this.fileHandle, askName });
      if (!saved) return false;
      this.fileName = saved.name;
      this.fileHandle = saved.handle;
      this.editor.modified = false;
      this.showCaption();
      this.rememberFile(saved.name, this.editor.text);
      this.followStatus({ style: 'Progress', text: ` Saved ${saved.name}` }); // with the status line's leading space
      return true;
    } catch (e) {
      showMessage(`Could not save ${name}: ${e.message}.`, 'Error');
      return false;
    }
  }

  rememberFile(name, text) {
    this.remember({ recentFiles: withRecentFile(this.settings.recentFiles, { name, text }) });
    this.menus.showRecentFiles(this.settings.recentFiles.map((f) => f.name), (i) => this.openRecent(i));
  }

  setFont(index, bold) {
    this.fontIndex = index;
    this.bold = bold;
    this.editor.setFontSize(FontSizes[index], bold);
  }

  // ---- settings

  remember(changes) {
    Object.assign(this.settings, changes);
    saveSettings(this.storage, this.settings);
  }

  applySettings() {
    const s = this.settings;
    if (s.clockInterval !== null) this.session.SetCpuClockInterval(s.clockInterval);
    if (s.timerInterval !== null) this.session.SetHwTimerInterval(s.timerInterval);
    this.top.runLog.box.checked = s.runLog;
    this.top.asmLog.box.checked = s.asmLog;
    this.tabs.oneAtATimeBox.checked = s.oneAtATime;
    this.session.SetRunLog(s.runLog);
    this.session.SetAsmLog(s.asmLog);
    this.top.runLog.box.addEventListener('change', (e) => {
      this.session.SetRunLog(e.target.checked);
      this.remember({ runLog: e.target.checked });
    });
    this.top.asmLog.box.addEventListener('change', (e) => {
      this.session.SetAsmLog(e.target.checked);
      this.remember({ asmLog: e.target.checked });
    });
    this.top.showClock(this.session.CpuClockCaption());
    this.tabs.showTimerCaption(this.session.HwTimerCaption());
  }

  clockChanged() {
    this.top.showClock(this.session.CpuClockCaption());
    this.remember({ clockInterval: this.session.CpuClockInterval() });
  }

  timerChanged() {
    this.tabs.showTimerCaption(this.session.HwTimerCaption());
    this.remember({ timerInterval: this.session.HwTimerInterval() });
  }

  // ---- the keyboard input window

  typeAwaitedKey(e) {
    const code = keyCodeOf(e);
    e.preventDefault();
    e.stopPropagation();
    if (code === null) return;
    this.keyInput.hide();
    this.windows.hide('KeyboardInput');
    this.session.SupplyKey(code);
    this.applyReport(this.session.TakeReport());
  }

  awaitKey() {
    this.windows.show('KeyboardInput', false);
    this.keyInput.show();
    this.keyInput.element.focus();
  }

  // ---- the report

  // Simulated time follows the real time; the page shows the machine every other frame at
  // 60 frames a second, which halves the drawing and still looks continuous.
  start() {
    this.top.placeClock();
    const clock = new FrameClock(performance.now());
    const frame = (now) => {
      requestAnimationFrame(frame);
      if (clock.sinceLast(now) < ShownFrameInterval) return;
      try {
        this.session.HoldClocks(boxOpen());
        this.session.RunFor(clock.take(now, LongestFrame));
        this.applyReport(this.session.TakeReport());
      } catch (error) {
        this.reportFault(error);
      }
    };
    requestAnimationFrame(frame);
  }

  // A fault in one frame must not stop the machine for good; the student sees it once in the
  // status line, not sixty times a second.
  reportFault(error) {
    if (this.faultShown) return;
    this.faultShown = true;
    console.error(error);
    this.followStatus({ style: 'Error', text: ` Page error: ${error?.message ?? error}` });
  }

  applyReport(r) {
    r.editor.forEach((command) => this.applyEditorCommand(command));
    this.applyWindows(r.windows);
    this.followSelection(r.selection, r.running);
    this.followStatus(r.status);
    this.top.showRegisters(r.registerTexts, r.registersMarked);
    this.ramView.setPointers(r.registers[4], r.registers[5]);
    if (r.cellsChanged.length) this.ramView.setCells(r.cellsChanged, this.session.RamCells(r.cellsChanged));
    if (r.runLogCleared) this.runLog.clear();
    if (r.runLogKept !== null) this.runLog.keep(r.runLogKept);
    this.runLog.append(r.runLog);
    this.runLog.flush(r.running);
    if (r.asmLogChanged) this.tabs.asmLogPane.textContent = r.asmLog.join('\n');
    if (r.tokensChanged) this.tabs.tokensPane.textContent = this.session.TokenLines().join('\n');
    if (r.listChanged) this.tabs.listPane.textContent = this.listText();
    if (r.errors) {
      this.editor.showErrors(r.errors);
      this.errorList.show(r.errors);
    }
    r.messageBoxes.forEach((box) => showMessage(box.text, box.icon));
    for (let i = 0; i < r.beeps; ++i) beep();
    r.devicesChanged.forEach((name) => this.devicePanels[name]?.redraw());
    if (r.keyAwaited) this.awaitKey();
    this.showRunning(r.running);
  }

  listText() {
    return this.session.ListFile().join('\n');
  }

  followStatus(status) {
    const now = performance.now();
    if (status) {
      this.top.showStatus(status);
      this.statusShownAt = now;
    } else if (this.statusShownAt !== null && now - this.statusShownAt >= StatusShownMs) {
      this.top.showStatus({ style: 'Blank', text: '' });
      this.statusShownAt = null;
    }
  }

  followSelection(selection, running) {
    this.selection = selection ?? this.selection;
    const now = performance.now();
    if (this.selection && (!running || now - this.selectedAt >= RunningSelectionInterval)) {
      this.editor.select(this.selection.start, this.selection.length);
      this.selection = null;
      this.selectedAt = now;
    }
  }

  applyEditorCommand(command) {
    const editor = this.editor;
    switch (command) {
      case 'Lock': editor.setReadOnly(true); this.setGrey(true); break;
      case 'Unlock': editor.setReadOnly(false); this.setGrey(false); break;
      case 'ReadOnly': editor.setReadOnly(true); break;
      case 'Writable': editor.setReadOnly(false); break;
      case 'ClearModified': editor.modified = false; this.showCaption(); break;
      case 'Focus': editor.focus(); break;
      case 'EditMode': this.enterEditMode(); break;
      case 'SourceTab': this.tabs.show('source'); break;
      case 'TokensTab': this.tabs.show('tokens'); break;
    }
  }

  // Edits made while the editor was writable stay marked as unsaved: only a run or step
  // (which made the editor read-only) leaves nothing to save.
  enterEditMode() {
    const wasRunning = this.editor.view.state.readOnly;
    this.tabs.show('source');
    this.editor.setReadOnly(false);
    if (wasRunning) this.editor.modified = false;
    this.setGrey(false);
    this.editor.focus();
    this.editor.caretToSelectionStart();
    this.showCaption();
  }

  setGrey(grey) {
    this.grey = grey;
    this.editor.setLook(grey ? (this.running ? 'running' : 'locked') : '');
  }

  // A continuous run, a program waiting for a key included, shows from the back of the room.
  showRunning(running) {
    if (running === this.running) return;
    this.running = running;
    this.top.showRunning(running);
    this.setGrey(this.grey);
  }
}

// The run log pane keeps its last lines only, as the desktop's does: lines come in bulk once
// a frame, and a frame that brings more than the pane holds shows just the newest.

export const MaxRunLogLines = 1001;

// The lines the pane shows after adding some: never more than the cap, the newest kept.
export function keptLines(shown, added, cap = MaxRunLogLines) {
  if (added.length >= cap) return added.slice(added.length - cap);
  const overflow = shown.length + added.length - cap;
  return overflow > 0 ? shown.slice(overflow).concat(added) : shown.concat(added);
}

// The lines still shown when Step Back takes the log back to `kept` lines written, of
// `written` in all: the newest go; lines the cap dropped before do not come back.
export function linesAfterStepBack(shown, written, kept) {
  return shown.slice(0, Math.max(0, shown.length - Math.max(0, written - kept)));
}

// A shown pane takes its new lines this often at most, and during a run only the newest of
// them, enough to fill it: each time it draws all it holds. The rest shows when the run ends.
const ShowInterval = 100;
const LinesShownRunning = 100;

export class RunLogPane {
  constructor(pane) {
    this.pane = pane;
    this.lines = [];
    this.written = 0; // since the log was last cleared
    this.stale = false;
    this.shownAt = 0;
    this.running = false;
    new IntersectionObserver(() => this.flush(this.running)).observe(pane);
  }

  clear() {
    this.lines = [];
    this.written = 0;
    this.show();
  }

  keep(kept) {
    this.lines = linesAfterStepBack(this.lines, this.written, kept);
    this.written = Math.min(this.written, kept);
    this.show();
  }

  append(added) {
    if (added.length === 0) return;
    this.lines = keptLines(this.lines, added);
    this.written += added.length;
    this.show();
  }

  show() {
    this.stale = true;
  }

  // Called once a frame: new lines show at most every ShowInterval during a run, all of them
  // once it ends. A hidden pane waits until it is shown.
  flush(running) {
    this.stale ||= this.running && !running;
    this.running = running;
    if (!this.stale || this.pane.offsetParent === null) return;
    if (running && performance.now() - this.shownAt < ShowInterval) return;
    this.stale = false;
    this.shownAt = performance.now();
    const shown = running ? this.lines.slice(-LinesShownRunning) : this.lines;
    this.pane.textContent = shown.join('\n');
    this.pane.scrollTop = this.pane.scrollHeight;
  }
}

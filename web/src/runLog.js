// The run log pane keeps its last lines only, as the desktop's does: lines come in bulk once
// a frame, and a frame that brings more than the pane holds shows just the newest.

export const MaxRunLogLines = 1001;

// The lines the pane shows after adding some: never more than the cap, the newest kept.
export function keptLines(shown, added, cap = MaxRunLogLines) {
  if (added.length >= cap) return added.slice(added.length - cap);
  const overflow = shown.length + added.length - cap;
  return overflow > 0 ? shown.slice(overflow).concat(added) : shown.concat(added);
}

export class RunLogPane {
  constructor(pane) {
    this.pane = pane;
    this.lines = [];
  }

  clear() {
    this.lines = [];
    this.pane.textContent = '';
  }

  append(added) {
    if (added.length === 0) return;
    this.lines = keptLines(this.lines, added);
    this.pane.textContent = this.lines.join('\n');
    if (!this.pane.hidden) this.pane.scrollTop = this.pane.scrollHeight;
  }
}

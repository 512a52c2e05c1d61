// Which windows stand open: the device windows, the RAM view and the keyboard input window.
// With "one at a time" on, showing a window first closes every device window in the close
// list but that one.

export class OpenWindows {
  constructor(closeList) {
    this.closeList = closeList; // device windows in the order they close
    this.open = new Set();
  }

  isOpen(window) {
    return this.open.has(window);
  }

  // The windows to close and whether the window itself opens, as one change.
  show(window, oneAtATime) {
    const closed = oneAtATime ? this.closeList.filter((w) => w !== window && this.open.has(w)) : [];
    closed.forEach((w) => this.open.delete(w));
    const opened = !this.open.has(window);
    this.open.add(window);
    return { closed, opened };
  }

  hide(window) {
    return this.open.delete(window);
  }

  hideAllDevices() {
    const closed = this.closeList.filter((w) => this.open.has(w));
    closed.forEach((w) => this.open.delete(w));
    return closed;
  }
}

// A report's window command as the desktop applies it.
export function applyWindowCommand(windows, { kind, window }, oneAtATime) {
  switch (kind) {
    case 'Show':
      return windows.show(window, oneAtATime);
    case 'ShowIfHidden':
      return windows.isOpen(window) ? { closed: [], opened: false } : windows.show(window, oneAtATime);
    case 'ShowRegardless':
      return windows.show(window, false);
    case 'Hide':
      return { closed: windows.hide(window) ? [window] : [], opened: false };
    case 'HideAllDevices':
      return { closed: windows.hideAllDevices(), opened: false };
    default:
      return { closed: [], opened: false };
  }
}

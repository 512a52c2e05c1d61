// The RAM view: 16 by 16 cells under their headings in one of three views (hexadecimal,
// ASCII, source), the cell at IP in red and the cell at SP in blue.

export const RamViews = [
  { button: '&X Hexadecimal', caption: 'RAM Hexadecimal View' },
  { button: '&Y ASCII', caption: 'RAM ASCII View' },
  { button: '&Z Source', caption: 'RAM Source Code View' },
];

// Cells the program never wrote and no assembled byte holds.
const AbsentCell = ['00', ' ', 'END'];

// Control codes show as blanks.
export function shownGlyph(code) {
  const blank = code < 0x20 || (code >= 0x7f && code <= 0x9f);
  return blank ? ' ' : String.fromCharCode(code);
}

// cell: null (absent) or {value, hex, text}.
export function cellText(cell, view) {
  if (!cell) return AbsentCell[view];
  if (view === 0) return cell.hex;
  return view === 1 ? ` ${shownGlyph(cell.value & 0xff)}` : cell.text;
}

const hexDigit = (i) => i.toString(16).toUpperCase();

export class RamView {
  constructor(panel, { view, onViewChanged }) {
    this.panel = panel;
    this.view = view;
    this.onViewChanged = onViewChanged;
    this.cellOf = [];
    this.ip = -1;
    this.sp = -1;
    this.cells = new Array(256).fill(null);
    panel.body.classList.add('ram-view');
    panel.body.append(this.buildTable(), this.buildButtons());
    this.applyView(view);
  }

  buildTable() {
    const table = document.createElement('div');
    table.className = 'ram-table';
    table.setAttribute('role', 'grid');
    table.setAttribute('aria-label', 'RAM');
    const heading = (text) => {
      const h = document.createElement('span');
      h.className = 'ram-heading';
      h.textContent = text;
      return h;
    };
    table.append(heading(''));
    for (let column = 0; column < 16; ++column) table.append(heading(hexDigit(column)));
    for (let row = 0; row < 16; ++row) {
      table.append(heading(`${hexDigit(row)}0`));
      for (let column = 0; column < 16; ++column) {
        const cell = document.createElement('span');
        cell.className = 'ram-cell';
        cell.dataset.address = String(row * 16 + column);
        this.cellOf.push(cell);
        table.append(cell);
      }
    }
    return table;
  }

  buildButtons() {
    const row = document.createElement('div');
    row.className = 'ram-buttons';
    row.setAttribute('role', 'radiogroup');
    row.setAttribute('aria-label', 'Views');
    this.radios = RamViews.map((v, index) => {
      const label = document.createElement('label');
      const radio = document.createElement('input');
      radio.type = 'radio';
      radio.name = 'ram-view';
      radio.addEventListener('change', () => this.applyView(index));
      label.append(radio, v.button.replace('&', ''));
      row.append(label);
      return radio;
    });
    return row;
  }

  applyView(view) {
    this.view = view;
    this.radios[view].checked = true;
    this.panel.setCaption(RamViews[view].caption);
    this.paintAll();
    this.onViewChanged?.(view);
  }

  // cells: null or {value, hex, text}, one for each address.
  setCells(addresses, cells) {
    addresses.forEach((address, index) => {
      this.cells[address] = cells[index];
      this.paintCell(address);
    });
  }

  paintAll() {
    for (let address = 0; address < 256; ++address) this.paintCell(address);
  }

  paintCell(address) {
    const element = this.cellOf[address];
    const text = cellText(this.cells[address], this.view);
    if (element.textContent !== text) element.textContent = text;
    element.classList.toggle('ram-ip', address === this.ip);
    element.classList.toggle('ram-sp', address === this.sp && address !== this.ip);
  }

  // IP wins when IP and SP point at the same cell.
  setPointers(ip, sp) {
    const old = [this.ip, this.sp];
    this.ip = ip & 0xff;
    this.sp = sp & 0xff;
    for (const address of new Set([...old, this.ip, this.sp])) {
      if (address >= 0) this.paintCell(address);
    }
  }
}

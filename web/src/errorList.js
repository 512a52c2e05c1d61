// The list of the errors the editor marks, under the editor: a click selects the line.

export class ErrorList {
  constructor(parent, selectLine) {
    this.list = document.createElement('ul');
    this.list.className = 'error-list';
    this.list.setAttribute('aria-label', 'Errors');
    this.list.title = 'ERRORS: CLICK ONE TO SELECT ITS PLACE';
    this.list.hidden = true;
    this.selectLine = selectLine;
    parent.append(this.list);
  }

  show(errors) {
    this.list.replaceChildren(
      ...errors.map(({ line, message }) => {
        const item = document.createElement('li');
        item.tabIndex = 0;
        item.textContent = `Line ${line}: ${message}`;
        item.addEventListener('click', () => this.selectLine(line));
        item.addEventListener('keydown', (e) => e.key === 'Enter' && this.selectLine(line));
        return item;
      }),
    );
    this.list.hidden = errors.length === 0;
  }
}

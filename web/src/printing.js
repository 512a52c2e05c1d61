// Printing a pane's text: the text alone goes on the sheet the browser prints, in the
// editor's font with its tab stops every eight characters. The browser's own print dialog
// chooses the printer, the pages and their set-up, and heads each page with the file's name
// and the page's number. Ctrl+P, the browser's own key, prints the source code.
import { showMessage } from './boxes.js';

// A text is empty to print when nothing but one line break is left of it.
const isEmpty = (text) => text.replace(/\r?\n$/, '') === '';

export class Printing {
  constructor(sourceText) {
    this.sheet = document.createElement('pre');
    this.sheet.className = 'print-sheet';
    this.sheet.setAttribute('aria-hidden', 'true');
    document.body.append(this.sheet);
    this.chosen = false;
    window.addEventListener('beforeprint', () => {
      if (!this.chosen) this.sheet.textContent = sourceText();
    });
    window.addEventListener('afterprint', () => {
      this.chosen = false;
      this.sheet.textContent = '';
    });
  }

  print(text) {
    if (isEmpty(text)) {
      showMessage('There is nothing to print.', 'Information');
      return;
    }
    this.chosen = true;
    this.sheet.textContent = text;
    window.print();
  }
}

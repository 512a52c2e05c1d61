// The source editor: CodeMirror with the language's colours, line numbers, breakpoints in
// the gutter, error marks after a failed assembly, and the locked look of a run.
import { EditorState, Compartment, StateField, StateEffect, RangeSet, EditorSelection } from '@codemirror/state';
import {
  EditorView, ViewPlugin, Decoration, lineNumbers, gutter, GutterMarker, gutterLineClass,
  keymap, highlightActiveLineGutter, drawSelection,
} from '@codemirror/view';
import { defaultKeymap, history, historyKeymap, undo, redo, selectAll } from '@codemirror/commands';
import { search, searchKeymap, openSearchPanel } from '@codemirror/search';
import { classifyLine } from './sourceClasses.js';

const marks = {};
const markOf = (cls) => (marks[cls] ??= Decoration.mark({ class: `src-${cls}` }));

function colouredSpans(view) {
  const ranges = [];
  for (const { from, to } of view.visibleRanges) {
    for (let pos = from; pos <= to; ) {
      const line = view.state.doc.lineAt(pos);
      for (const span of classifyLine(line.text)) {
        ranges.push(markOf(span.cls).range(line.from + span.start, line.from + span.start + span.length));
      }
      pos = line.to + 1;
    }
  }
  return Decoration.set(ranges);
}

const sourceColours = ViewPlugin.fromClass(
  class {
    constructor(view) {
      this.decorations = colouredSpans(view);
    }
    update(update) {
      if (update.docChanged || update.viewportChanged) this.decorations = colouredSpans(update.view);
    }
  },
  { decorations: (plugin) => plugin.decorations },
);

// Breakpoints: a set of line starts that moves with the edits.
const toggleBreakpoint = StateEffect.define({ map: (pos, mapping) => mapping.mapPos(pos) });
const clearBreakpoints = StateEffect.define();

const breakpointMark = new (class extends GutterMarker {
  toDOM() {
    const dot = document.createElement('span');
    dot.className = 'breakpoint';
    return dot;
  }
})();

const breakpoints = StateField.define({
  create: () => RangeSet.empty,
  update(set, tr) {
    set = set.map(tr.changes);
    for (const effect of tr.effects) {
      if (effect.is(clearBreakpoints)) set = RangeSet.empty;
      if (effect.is(toggleBreakpoint)) {
        let on = false;
        set.between(effect.value, effect.value, () => { on = true; });
        set = on
          ? set.update({ filter: (from) => from !== effect.value })
          : set.update({ add: [breakpointMark.range(effect.value)] });
      }
    }
    return set;
  },
});

// Error marks: the line numbers of lines with errors, until the next edit or assembly.
const setErrors = StateEffect.define();
const errorGutterMark = new (class extends GutterMarker {
  elementClass = 'error-line-number';
})();
const errorLineMark = Decoration.line({ class: 'error-line' });

const errors = StateField.define({
  create: () => ({ gutter: RangeSet.empty, lines: Decoration.none }),
  update(value, tr) {
    for (const effect of tr.effects) {
      if (effect.is(setErrors)) return effect.value;
    }
    return tr.docChanged ? { gutter: value.gutter.map(tr.changes), lines: value.lines.map(tr.changes) } : value;
  },
  provide: (field) => [
    gutterLineClass.from(field, (value) => value.gutter),
    EditorView.decorations.from(field, (value) => value.lines),
  ],
});

export class SourceEditor {
  constructor(parent, { onChange, onBreakpointsChanged }) {
    this.readOnly = new Compartment();
    this.look = new Compartment();
    this.onBreakpointsChanged = onBreakpointsChanged;
    this.modified = false;
    this.extensions = [
      history(),
      EditorState.tabSize.of(8), // as the desktop shows a tab
      drawSelection(),
      breakpoints,
      errors,
      gutter({
        class: 'breakpoint-gutter',
        markers: (view) => view.state.field(breakpoints),
        initialSpacer: () => breakpointMark,
        domEventHandlers: { mousedown: (view, line) => this.toggleAt(line.from) },
      }),
      lineNumbers({ domEventHandlers: { mousedown: (view, line) => this.toggleAt(line.from) } }),
      highlightActiveLineGutter(),
      sourceColours,
      search({ top: true }),
      keymap.of([...searchKeymap, ...historyKeymap, ...defaultKeymap]),
      this.readOnly.of(EditorState.readOnly.of(false)),
      this.look.of([]),
      EditorView.contentAttributes.of({ 'aria-label': 'Source Code' }),
      // A file dropped on the editor opens as the source, as one dropped anywhere on the
      // page does; the editor's own drop would insert it read as UTF-8.
      EditorView.domEventHandlers({ drop: (event) => event.dataTransfer?.files.length > 0 }),
      EditorView.updateListener.of((update) => {
        if (update.docChanged) {
          this.modified = true;
          onChange();
        }
        const marks = (e) => e.is(toggleBreakpoint) || e.is(clearBreakpoints);
        if (update.transactions.some((t) => t.effects.some(marks))) {
          this.onBreakpointsChanged(this.breakpointLines());
        }
      }),
    ];
    this.view = new EditorView({ parent, state: EditorState.create({ extensions: this.extensions }) });
  }

  get text() {
    return this.view.state.doc.toString();
  }

  // A new text: no undo back into the old one, no marks, nothing unsaved.
  setText(text) {
    this.view.setState(EditorState.create({ doc: text, extensions: this.extensions }));
    this.modified = false;
    this.onBreakpointsChanged([]);
  }

  toggleAt(pos) {
    this.view.dispatch({ effects: toggleBreakpoint.of(this.view.state.doc.lineAt(pos).from) });
    return true;
  }

  toggleBreakpointAtCursor() {
    this.toggleAt(this.view.state.selection.main.head);
  }

  clearBreakpoints() {
    this.view.dispatch({ effects: clearBreakpoints.of(null) });
  }

  breakpointLines() {
    const lines = [];
    this.view.state.field(breakpoints).between(0, this.view.state.doc.length, (from) => {
      lines.push(this.view.state.doc.lineAt(from).number);
    });
    return lines;
  }

  cursorLine() {
    return this.view.state.doc.lineAt(this.view.state.selection.main.head).number;
  }

  selectLine(number) {
    const doc = this.view.state.doc;
    const line = doc.line(Math.min(Math.max(number, 1), doc.lines));
    this.view.dispatch({ selection: EditorSelection.single(line.from, line.to), scrollIntoView: true });
    this.view.focus();
  }

  showErrors(list) {
    const doc = this.view.state.doc;
    const starts = [...new Set(list.map((e) => e.line).filter((l) => l >= 1 && l <= doc.lines))]
      .sort((a, b) => a - b)
      .map((l) => doc.line(l).from);
    const value = {
      gutter: RangeSet.of(starts.map((from) => errorGutterMark.range(from))),
      lines: Decoration.set(starts.map((from) => errorLineMark.range(from))),
    };
    this.view.dispatch({ effects: setErrors.of(value) });
  }

  setReadOnly(readOnly) {
    this.view.dispatch({ effects: this.readOnly.reconfigure(EditorState.readOnly.of(readOnly)) });
  }

  // "locked" while stepping, "running" during a continuous run, "" to edit.
  setLook(look) {
    const attributes = look ? EditorView.editorAttributes.of({ class: `editor-${look}` }) : [];
    this.view.dispatch({ effects: this.look.reconfigure(attributes) });
  }

  // Moving the selection is no edit. The selected line stays in the middle half of the
  // editor; it is centred only when it leaves that band, so the text does not move at
  // every step. The check waits for the editor's own measuring, so a step forces no layout.
  select(start, length) {
    const size = this.view.state.doc.length;
    const from = Math.min(Math.max(start, 0), size);
    const to = Math.min(from + Math.max(length, 0), size);
    const { main } = this.view.state.selection;
    if (main.from !== from || main.to !== to) {
      this.view.dispatch({ selection: EditorSelection.single(from, to) });
    }
    this.view.requestMeasure({
      key: 'middleBand',
      read: (view) => {
        const block = view.lineBlockAt(from);
        const middle = block.top + block.height / 2 + view.documentPadding.top;
        const top = view.scrollDOM.scrollTop;
        const height = view.scrollDOM.clientHeight;
        const outside = middle - top < height / 4 || middle - top > height - height / 4;
        return outside ? middle - height / 2 : null;
      },
      write: (centredTop, view) => {
        if (centredTop !== null) view.scrollDOM.scrollTop = centredTop;
      },
    });
  }

  selectedText() {
    const { from, to } = this.view.state.selection.main;
    return this.view.state.sliceDoc(from, to);
  }

  focus() {
    this.view.focus();
  }

  caretToSelectionStart() {
    const { from } = this.view.state.selection.main;
    this.view.dispatch({ selection: EditorSelection.cursor(from) });
  }

  undo() { undo(this.view); }
  redo() { redo(this.view); }
  selectAll() { selectAll(this.view); }
  find() { openSearchPanel(this.view); }

  setFontSize(points, bold) {
    this.view.dom.style.fontSize = `${points}pt`;
    this.view.dom.style.fontWeight = bold ? 'bold' : 'normal';
    this.view.requestMeasure();
  }
}

// Draws a device's picture description (web/bindings/PictureBindings.h gives its shape) on a
// 2D canvas at a zoom, as the desktop paints it: a one-pixel outline covers both corners of
// its box, shapes marked smooth are antialiased and the others kept crisp on whole pixels.
// The canvas keeps the parts it drew last and only the parts that differ are drawn again.

// The desktop's Courier New and MS Sans Serif are Liberation Mono and Liberation Sans, which
// the site serves (see workbench.css).
const Families = {
  Mono: "'Courier New', 'Liberation Mono', monospace",
  Sans: "'MS Sans Serif', 'Liberation Sans', sans-serif",
};

export const fontOf = ({ face, pixelSize, bold }) =>
  `${bold ? 'bold ' : ''}${pixelSize}px ${Families[face]}`;

// The action of the hot area under a picture point, or null.
export function hitArea(picture, x, y) {
  const px = Math.floor(x);
  const py = Math.floor(y);
  const area = picture.areas.find(
    ({ box }) => px >= box.left && px <= box.right && py >= box.top && py <= box.bottom,
  );
  return area ? area.action : null;
}

// Crisp strokes of odd width sit on pixel centres, so that they fill whole pixels.
const penShift = (shape) => (!shape.smooth && shape.pen && shape.pen.width % 2 === 1 ? 0.5 : 0);

function brushStyle(ctx, brush) {
  if (brush.stops.length === 0) return brush.colour;
  const gradient = ctx.createLinearGradient(...brush.from, ...brush.to);
  for (const stop of brush.stops) gradient.addColorStop(stop.at, stop.colour);
  return gradient;
}

function outlineOf(shape) {
  const path = new Path2D();
  const s = penShift(shape);
  const { x, y, w, h } = shape;
  switch (shape.kind) {
    case 'Rect':
      path.rect(x + s, y + s, w, h);
      break;
    case 'RoundedRect':
      path.roundRect(x + s, y + s, w, h, shape.radius);
      break;
    case 'Ellipse':
      path.ellipse(x + s + w / 2, y + s + h / 2, w / 2, h / 2, 0, 0, 2 * Math.PI);
      break;
    default:
      shape.points.forEach(([px, py], i) => (i ? path.lineTo(px + s, py + s) : path.moveTo(px + s, py + s)));
      if (shape.kind === 'Polygon') path.closePath();
  }
  return path;
}

function fillShape(ctx, shape) {
  ctx.fillStyle = brushStyle(ctx, shape.brush);
  // A crisp rectangle fills exactly its pixels, inside the outline that covers its edges.
  if (shape.kind === 'Rect' && !shape.smooth) {
    ctx.fillRect(shape.x, shape.y, shape.w, shape.h);
  } else {
    ctx.fill(outlineOf(shape));
  }
}

function strokeShape(ctx, shape) {
  const { pen } = shape;
  ctx.strokeStyle = pen.colour;
  ctx.lineWidth = pen.width;
  ctx.lineCap = pen.flat ? 'butt' : 'square';
  ctx.lineJoin = pen.flat ? 'miter' : 'bevel';
  ctx.stroke(outlineOf(shape));
}

// Vertically centred in the box as the desktop centres a line of text.
function drawText(ctx, shape) {
  ctx.font = fontOf(shape.font);
  ctx.fillStyle = shape.pen ? shape.pen.colour : '#000000';
  ctx.textBaseline = 'alphabetic';
  const metrics = ctx.measureText(shape.text);
  const ascent = metrics.fontBoundingBoxAscent;
  const height = ascent + metrics.fontBoundingBoxDescent;
  const spare = shape.w - metrics.width;
  const x = shape.x + (shape.align === 'Centre' ? spare / 2 : shape.align === 'Right' ? spare : 0);
  ctx.fillText(shape.text, x, Math.round(shape.y + (shape.h - height) / 2 + ascent));
}

function drawShape(ctx, shape) {
  switch (shape.kind) {
    case 'Text':
      drawText(ctx, shape);
      return;
    case 'ClipTo':
      ctx.save();
      ctx.beginPath();
      ctx.rect(shape.x, shape.y, shape.w, shape.h);
      ctx.clip();
      return;
    case 'ClipOff':
      ctx.restore();
      return;
    default:
      if (shape.brush) fillShape(ctx, shape);
      if (shape.pen) strokeShape(ctx, shape);
  }
}

function drawPart(ctx, part) {
  ctx.save();
  for (const shape of part.shapes) drawShape(ctx, shape);
  ctx.restore();
}

const fontsOf = (picture) =>
  new Set(picture.parts.flatMap((p) => p.shapes.filter((s) => s.kind === 'Text').map((s) => fontOf(s.font))));

// Draws pictures on canvases at a zoom; each canvas keeps what was drawn on it last.
export class PictureCanvas {
  constructor({ zoom = 1 } = {}) {
    this.zoom = zoom;
    this.drawn = new WeakMap(); // canvas -> {zoom, parts: [JSON of each part]}
    this.fontsAskedFor = new Set();
  }

  // Draws the parts of the picture that changed since the last one drawn on this canvas;
  // everything when the zoom or the picture's size changed. Fonts still loading draw it
  // whole again once they are there.
  draw(canvas, picture) {
    const width = picture.width * this.zoom;
    const height = picture.height * this.zoom;
    let last = this.drawn.get(canvas);
    if (!last || last.zoom !== this.zoom || canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
      last = { zoom: this.zoom, parts: [] };
    }
    const ctx = canvas.getContext('2d');
    ctx.save();
    ctx.imageSmoothingEnabled = false;
    ctx.scale(this.zoom, this.zoom);
    if (last.parts.length !== picture.parts.length) {
      ctx.fillStyle = picture.background;
      ctx.fillRect(0, 0, picture.width, picture.height);
      last.parts = [];
    }
    const parts = picture.parts.map((part) => JSON.stringify(part));
    parts.forEach((text, i) => text !== last.parts[i] && drawPart(ctx, picture.parts[i]));
    ctx.restore();
    this.drawn.set(canvas, { zoom: this.zoom, parts });
    this.redrawWhenFontsLoad(canvas, picture);
  }

  redrawWhenFontsLoad(canvas, picture) {
    const missing = [...fontsOf(picture)].filter(
      (font) => !document.fonts.check(font) && !this.fontsAskedFor.has(font),
    );
    if (missing.length === 0) return;
    missing.forEach((font) => this.fontsAskedFor.add(font));
    Promise.all(missing.map((font) => document.fonts.load(font))).then(() => {
      this.drawn.delete(canvas);
      this.draw(canvas, picture);
    });
  }

  // The action of the hot area under a point of the canvas, in canvas pixels, or null.
  actionAt(picture, x, y) {
    return hitArea(picture, x / this.zoom, y / this.zoom);
  }
}

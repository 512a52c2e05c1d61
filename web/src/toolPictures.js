// The picture buttons' pictures as small SVG drawings on the desktop's 19 by 19 grid, in its
// colours: ink outlines, a yellow folder, white paper, traffic-light red, amber and green.

const Ink = '#26313d';
const stroke = `stroke="${Ink}" stroke-width="1"`;
const paper = `<path d="M4.5 1.5h7l4 4v12h-11z" fill="#fff" ${stroke}/><path d="M11.5 1.5v4h4" fill="none" ${stroke}/>`;
const letterA = (size) => `<text x="1" y="15" font-family="Liberation Sans, sans-serif" font-weight="bold" font-size="${size}" fill="${Ink}">A</text>`;
const arrow = (up) => (up
  ? `<path d="M15.5 3.5l-3 4h6z" fill="#2fa84f"/><path d="M15.5 7v9" stroke="#2fa84f" stroke-width="2"/>`
  : `<path d="M15.5 16.5l-3-4h6z" fill="#e2372d"/><path d="M15.5 3v9" stroke="#e2372d" stroke-width="2"/>`);

const Pictures = {
  open: `<path d="M1.5 4.5h6l1 2h8v10h-15z" fill="#d9a23a" ${stroke}/><path d="M3.5 8.5h15l-2 8h-15z" fill="#f6c945" ${stroke}/>`,
  save: `<rect x="2.5" y="2.5" width="14" height="14" fill="#3a78d6" ${stroke}/><rect x="5.5" y="2.5" width="8" height="5" fill="#fff" ${stroke}/><rect x="5.5" y="10.5" width="8" height="6" fill="#dfe4ea" ${stroke}/>`,
  new: paper,
  enlargeFont: letterA(14) + arrow(true),
  reduceFont: letterA(14) + arrow(false),
  boldFont: `<text x="4" y="16" font-family="Liberation Sans, sans-serif" font-weight="900" font-size="16" fill="${Ink}">B</text>`,
  'show:Vdu': `<rect x="1.5" y="2.5" width="16" height="11" fill="#1e2228" ${stroke}/><path d="M4 6h8M4 9h5" stroke="#59e36f"/><path d="M6.5 16.5h6" ${stroke}/>`,
  'show:TrafficLights': `<rect x="6.5" y="0.5" width="6" height="18" rx="1" fill="#4a5563" ${stroke}/><circle cx="9.5" cy="4" r="2" fill="#e2372d"/><circle cx="9.5" cy="9.5" r="2" fill="#f5a623"/><circle cx="9.5" cy="15" r="2" fill="#2fa84f"/>`,
  'show:SevenSegment': `<rect x="3.5" y="0.5" width="12" height="18" fill="#1e2228" ${stroke}/><path d="M7 3h5M6.5 4v4.5M12.5 4v4.5M7 9.5h5M6.5 10.5v4.5M12.5 10.5v4.5M7 16h5" stroke="#e2372d" stroke-width="1.5"/>`,
  'show:Heater': `<path d="M9.5 2c3 4 5 6 5 10a5 5 0 0 1-10 0c0-3 2-5 5-10z" fill="#f28c28" ${stroke}/><path d="M9.5 9c1.5 2 2.5 3 2.5 4.5a2.5 2.5 0 0 1-5 0c0-1.5 1-2.5 2.5-4.5z" fill="#ffd640"/>`,
  'show:Maze': `<rect x="1.5" y="1.5" width="16" height="16" fill="#fff" ${stroke}/><path d="M5.5 1.5v10M9.5 5.5v12M13.5 1.5v10M5.5 11.5h4" ${stroke}/>`,
  'show:Stepper': `<circle cx="9.5" cy="9.5" r="7.5" fill="#8a96a3" ${stroke}/><circle cx="9.5" cy="9.5" r="3" fill="#cd7832" ${stroke}/><path d="M9.5 2v4" stroke="${Ink}" stroke-width="2"/>`,
  'show:Lift': `<rect x="3.5" y="0.5" width="12" height="18" fill="#dfe4ea" ${stroke}/><rect x="5.5" y="6.5" width="8" height="7" fill="#a8c6f0" ${stroke}/><path d="M9.5 0.5v6" ${stroke}/>`,
  'show:Keyboard': `<rect x="0.5" y="5.5" width="18" height="9" rx="1" fill="#dfe4ea" ${stroke}/><path d="M3 8.5h2M6 8.5h2M9 8.5h2M12 8.5h2M15 8.5h1M5 11.5h9" stroke="${Ink}"/>`,
  'show:Keypad': `<rect x="2.5" y="0.5" width="14" height="18" rx="1" fill="#dfe4ea" ${stroke}/><path d="M5 4h2M9 4h2M13 4h1M5 8h2M9 8h2M13 8h1M5 12h2M9 12h2M13 12h1M9 16h2" stroke="${Ink}" stroke-width="2"/>`,
  closeAll: `<rect x="1.5" y="1.5" width="11" height="9" fill="#fff" ${stroke}/><rect x="5.5" y="5.5" width="11" height="9" fill="#fff" ${stroke}/><path d="M12 11l6 6M18 11l-6 6" stroke="#e2372d" stroke-width="2"/>`,
};

export function toolPicture(command) {
  return `<svg viewBox="0 0 19 19" width="19" height="19" aria-hidden="true">${Pictures[command]}</svg>`;
}

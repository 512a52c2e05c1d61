// The page's settings in the browser's local storage, under one key as one JSON object.
// Whatever is stored there is checked item by item: a value of the wrong shape is dropped
// and its default used, so garbage left in storage never stops the page.

const StorageKey = 'corvane.settings';
export const MaxRecentFiles = 8;

const Defaults = {
  clockInterval: null, // the session's own until the student changes it
  timerInterval: null,
  runLog: false,
  asmLog: false,
  oneAtATime: false,
  places: {}, // window name → {x, y}
  recentFiles: [], // {name, text}: a page cannot open a file again by its name
};

const isWholeNumber = (v) => Number.isInteger(v) && v >= 0;
const isPlace = (p) => p !== null && typeof p === 'object' && Number.isFinite(p.x) && Number.isFinite(p.y);

const Checks = {
  clockInterval: isWholeNumber,
  timerInterval: isWholeNumber,
  runLog: (v) => typeof v === 'boolean',
  asmLog: (v) => typeof v === 'boolean',
  oneAtATime: (v) => typeof v === 'boolean',
  places: (v) => v !== null && typeof v === 'object' && !Array.isArray(v),
  recentFiles: Array.isArray,
};

function cleanPlaces(places) {
  return Object.fromEntries(Object.entries(places).filter(([, place]) => isPlace(place)));
}

const isRecentFile = (f) =>
  f !== null && typeof f === 'object' && typeof f.name === 'string' && f.name !== '' && typeof f.text === 'string';

function cleanRecent(files) {
  return files.filter(isRecentFile).slice(0, MaxRecentFiles);
}

export function parseSettings(stored) {
  let raw;
  try {
    raw = JSON.parse(stored ?? '{}');
  } catch {
    raw = {};
  }
  const settings = structuredClone(Defaults);
  if (raw === null || typeof raw !== 'object') {
    return settings;
  }
  for (const [name, check] of Object.entries(Checks)) {
    if (check(raw[name])) {
      settings[name] = raw[name];
    }
  }
  settings.places = cleanPlaces(settings.places);
  settings.recentFiles = cleanRecent(settings.recentFiles);
  return settings;
}

export function loadSettings(storage) {
  try {
    return parseSettings(storage.getItem(StorageKey));
  } catch {
    return parseSettings(null); // storage switched off by the browser
  }
}

export function saveSettings(storage, settings) {
  try {
    storage.setItem(StorageKey, JSON.stringify(settings));
  } catch {
    // A full or switched-off storage only loses the settings.
  }
}

// The most recent first, each name once.
export function withRecentFile(files, file) {
  return [file, ...files.filter((f) => f.name !== file.name)].slice(0, MaxRecentFiles);
}

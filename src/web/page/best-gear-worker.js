// 最佳组合 off the page's thread: the core's candidate list, search and words
// in a module of their own. The page asks, one message at a time with an id;
// each gets one reply. A search runs a slice at a time, so that 停止 and
// every other request are heard between slices, and tells the page how far
// it has got (at most every 100 ms) and when it has ended.
'use strict';
importScripts('velmora-best-gear.js');

const reportEvery = 100; // milliseconds
const changesDraft = new Set(['open', 'type', 'write', 'cell', 'worn', 'add', 'remove']);
/** @type {(message: object) => void} */
const tell = (message) => /** @type {any} */ (self).postMessage(message);
const loaded = createBestGear().then((core) => ({ core, gear: new core.BestGear() }));
let basis = null; // the panel of the last 计算, as the page last sent it
let slicing = false;
// The next slice is a message to itself: a timer would wait at least 4 ms
// between slices once they nest, a tenth of a long search.
const nextSlice = new MessageChannel();

function searchOn(gear) {
  if (slicing) {
    return;
  }
  slicing = true;
  let reported = performance.now();
  nextSlice.port1.onmessage = () => {
    if (!gear.work()) {
      slicing = false;
      tell({ ended: true, shown: gear.shown(basis) });
      return;
    }
    if (performance.now() - reported >= reportEvery) {
      reported = performance.now();
      tell({ progress: true, shown: gear.shown(basis) });
    }
    nextSlice.port2.postMessage(null);
  };
  nextSlice.port2.postMessage(null);
}

onmessage = async ({ data }) => {
  const { core, gear } = await loaded;
  if ('basis' in data) {
    basis = data.basis;
  }
  const reply = { id: data.id };
  switch (data.action) {
    case 'words':
      reply.words = core.words();
      break;
    case 'open':
      gear.openAddress(data.piece);
      break;
    case 'type':
      gear.typeDraft(data.draft);
      break;
    case 'read':
      gear.typeDraft(data.draft);
      reply.box = gear.readDraft();
      reply.piece = gear.addressPiece();
      break;
    case 'write':
      gear.writeDraft();
      break;
    case 'cell':
      gear.typeCell(data.row, data.column, data.text);
      break;
    case 'worn':
      gear.toggleWorn(data.row);
      break;
    case 'add':
      reply.focus = gear.addRow();
      break;
    case 'remove':
      reply.focus = gear.removeRow(data.row);
      break;
    case 'start':
      if (gear.start(basis)) {
        searchOn(gear);
      }
      break;
    case 'stop':
      gear.stop();
      break;
    case 'continue':
      gear.resume();
      searchOn(gear);
      break;
    case 'shown':
      break;
    default:
      throw new RangeError(`an action unknown to the worker: "${data.action}"`);
  }
  reply.draft = gear.draft();
  if (changesDraft.has(data.action)) {
    reply.table = gear.table(); // the grid is drawn again only when the draft changed
  }
  reply.shown = gear.shown(basis);
  tell(reply);
};

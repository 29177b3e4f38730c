// The page a player can trust: a new release reaches a returning visitor
// whole, the address opens exactly what the page showed, and a page that
// cannot run says why.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import {
  appendFileSync, copyFileSync, mkdtempSync, readdirSync, readFileSync, rmSync, utimesSync, writeFileSync,
} from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { answerBoxes, launch, openWindow, shownFields, siteDir, startSite } from './site.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser?.close(); });

const sha256 = (bytes) => createHash('sha256').update(bytes).digest('hex');
const cacheOf = (dir) => /const CACHE = `\$\{PREFIX\}([^`]*)`/.exec(readFileSync(join(dir, 'sw.js'), 'utf8'))[1];

// A release of the built site in `dir`: the module's title changed in one
// byte, app.js with a line of its own, or a file missing after the worker
// was written. File dates far in the past make the HTTP cache think every
// file fresh.
function publish(dir, { title = 'Velmorav1.1', appTag = null, missing = null } = {}) {
  for (const name of readdirSync(dir)) {
    rmSync(join(dir, name));
  }
  for (const name of readdirSync(siteDir).filter((name) => name !== 'sw.js')) {
    copyFileSync(join(siteDir, name), join(dir, name));
  }
  const wasm = readFileSync(join(dir, 'velmora.wasm'));
  const at = wasm.indexOf('Velmorav1.1');
  assert.ok(at >= 0 && wasm.indexOf('Velmorav1.1', at + 1) < 0);
  wasm.write(title, at);
  writeFileSync(join(dir, 'velmora.wasm'), wasm);
  if (appTag !== null) {
    appendFileSync(join(dir, 'app.js'), `document.documentElement.dataset.release = '${appTag}';\n`);
    appendFileSync(join(dir, 'best-gear.js'), `document.documentElement.dataset.lateModule = '${appTag}';\n`);
  }
  execFileSync('cmake', [`-DSITE=${dir}`, `-DTEMPLATE=${process.env.VELMORA_SW}`, '-P', process.env.VELMORA_STAMP]);
  if (missing !== null) {
    rmSync(join(dir, missing));
  }
  const old = new Date('2020-01-01T00:00:00Z');
  const files = {};
  for (const name of readdirSync(dir)) {
    utimesSync(join(dir, name), old, old);
    files[name] = sha256(readFileSync(join(dir, name)));
  }
  return { cache: `velmora-${cacheOf(dir)}`, files };
}

// The page's offline copies, each file's digest by name.
const cachedCopies = (page) => page.evaluate(async () => {
  const hex = (buffer) => [...new Uint8Array(buffer)].map((b) => b.toString(16).padStart(2, '0')).join('');
  const copies = {};
  for (const key of await caches.keys()) {
    const cache = await caches.open(key);
    copies[key] = {};
    for (const request of await cache.keys()) {
      const name = new URL(request.url).pathname.slice(1) || './';
      copies[key][name] = hex(await crypto.subtle.digest('SHA-256', await (await cache.match(request)).arrayBuffer()));
    }
  }
  return copies;
});

// Polls the page until an asynchronous condition holds (waitForFunction takes
// a pending promise for true).
async function until(page, condition, arg, timeout = 20000) {
  const start = Date.now();
  while (!await page.evaluate(condition, arg)) {
    assert.ok(Date.now() - start < timeout, `still waiting after ${timeout} ms: ${condition}`);
    await page.waitForTimeout(100);
  }
}

async function load(page) {
  await page.reload();
  await page.waitForSelector('body[data-ready="true"]');
  return { title: await page.title(), release: await page.evaluate(() => document.documentElement.dataset.release) };
}

describe('a returning visitor', () => {
  test('gets each new release whole by the second load, and only its own caches go', async () => {
    const dir = mkdtempSync(join(tmpdir(), 'velmora-site-'));
    const first = publish(dir);
    const site = await startSite(dir);
    const context = await browser.newContext();
    try {
      const page = await openWindow(context, site.url);
      await page.evaluate(async () => {
        await (await caches.open('another-app')).put('/theirs', new Response('theirs'));
        await navigator.serviceWorker.ready;
      });
      await until(page, (name) => caches.has(name), first.cache);
      await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
      await page.waitForFunction(() => navigator.serviceWorker.controller !== null);

      const isCopyOf = async (release) => {
        const copies = await cachedCopies(page);
        delete copies['velmora-in-use']; // which copy each open page came from
        assert.deepEqual(Object.keys(copies).sort(), ['another-app', release.cache].sort());
        const expected = Object.fromEntries(Object.entries(release.files).filter(([name]) => name !== 'sw.js'));
        expected['./'] = release.files['index.html'];
        assert.deepEqual(copies[release.cache], expected);
      };
      await isCopyOf(first);

      // One byte of the module, then app.js and 最佳组合's module. The visit
      // that installs a release still shows the one before, whole: what it
      // loads later (最佳组合's module) is of its own release too.
      let previous = first;
      const lateModule = async () => {
        await page.click('#Command7');
        await page.waitForSelector('#best-gear .add-item');
        return page.evaluate(() => document.documentElement.dataset.lateModule);
      };
      for (const [changes, shown] of [
        [{ title: 'Velmorav1.2' }, { title: 'Velmorav1.2', release: undefined }],
        [{ title: 'Velmorav1.2', appTag: 'B' }, { title: 'Velmorav1.2', release: 'B' }],
      ]) {
        const release = publish(dir, changes);
        assert.notEqual(release.cache, previous.cache);
        const before = await load(page);
        await until(page, (now) => caches.has(now), release.cache);
        // Once it has taken over: a worker started while the page's service
        // worker is being replaced at times never loads in Chromium.
        await until(page, async () => {
          const registration = await navigator.serviceWorker.getRegistration();
          return registration.installing === null && registration.waiting === null &&
            registration.active === navigator.serviceWorker.controller;
        });
        assert.equal(await lateModule(), before.release);
        assert.deepEqual(await load(page), shown);
        assert.equal(await lateModule(), shown.release);
        await until(page, (old) => caches.has(old).then((kept) => !kept), previous.cache); // no page uses it now
        await isCopyOf(release);
        previous = release;
      }

      // A release that lost a file on the way is not taken at all.
      publish(dir, { title: 'Velmorav1.3', missing: 'velmora.wasm' });
      await load(page);
      await page.evaluate(async () => {
        const registration = await navigator.serviceWorker.getRegistration();
        await registration.update().catch(() => {});
      });
      await until(page, async () => (await navigator.serviceWorker.getRegistration()).installing === null);
      assert.deepEqual(await load(page), { title: 'Velmorav1.2', release: 'B' });
      await isCopyOf(previous);
    } finally {
      await context.close();
      site.stop();
      rmSync(dir, { recursive: true, force: true });
    }
  });
});

describe('the site', () => {
  test('is served with the headers a host should send, and its copy lists every file', async () => {
    const site = await startSite();
    try {
      const policy = (await fetch(site.url)).headers;
      assert.match(policy.get('content-security-policy'), /frame-ancestors 'none'/);
      assert.match(policy.get('content-security-policy'), /script-src 'self' 'wasm-unsafe-eval'/);
      assert.equal(policy.get('cross-origin-opener-policy'), 'same-origin');
      for (const name of ['', 'index.html', 'help.html', 'sw.js']) {
        assert.equal((await fetch(site.url + name)).headers.get('cache-control'), 'no-cache', name);
      }
      assert.equal((await fetch(`${site.url}velmora.wasm`)).headers.get('content-type'), 'application/wasm');
      const sw = readFileSync(join(siteDir, 'sw.js'), 'utf8');
      const listed = JSON.parse(/const FILES = (\[.*\]);/.exec(sw)[1].replaceAll("'", '"'));
      assert.deepEqual(listed.sort(), ['./', ...readdirSync(siteDir).filter((name) => name !== 'sw.js')].sort());
      const help = readFileSync(join(siteDir, 'help.html'), 'utf8');
      assert.match(help, /<title>说明文档<\/title>/);
      assert.match(help, /<meta name="viewport" content="width=device-width/);
    } finally {
      site.stop();
    }
  });
});

describe('the address', () => {
  let site;
  before(async () => { site = await startSite(); });
  after(() => site.stop());

  const boxes = (page) => page.evaluate(() => [...document.querySelectorAll('#window input[type="text"]')]
    .map((box) => box.value));

  // A deterministic stream of texts as players paste them: digits, points,
  // exponents, reserved characters, blanks, controls, format characters,
  // CJK, full-width digits, four-byte characters, and the longest a box takes.
  function* texts(seed) {
    const pieces = ['0', '9', '.', 'E-05', '-', ' ', '\t', '\v', '\x7f', '\x01', '%', '&', '=', '#', '?', '/',
      '<b>', '"', '~', '命', '１', '\u200b', '\u202e', '\ufeff', '\u00ad', '😀', '\u2028'];
    let state = seed;
    const next = (n) => { state = (state * 1103515245 + 12345) % 2147483648; return state % n; };
    for (;;) {
      const length = next(5) === 0 ? 250 + next(20) : next(10);
      let text = '';
      while (text.length < length) {
        text += pieces[next(pieces.length)];
      }
      yield text;
    }
  }

  test('opens exactly the state the page showed, whatever was pasted', async () => {
    const context = await browser.newContext();
    const page = await openWindow(context, site.url);
    await page.click('#Command3'); // the haste boxes too
    const names = await page.evaluate(() => [...document.querySelectorAll('#window input[type="text"]')]
      .map((box) => box.id));
    const stream = texts(626);
    for (let round = 0; round < 4; ++round) {
      for (const name of names) {
        await page.focus(`#${name}`);
        await answerBoxes(page); // a set-1 cell puts set 1 on, when it is off
        await page.keyboard.press('Control+A');
        await page.keyboard.insertText(stream.next().value);
      }
      await page.click(`#Option${1 + round}`);
      await page.click(round % 2 ? '#Check2' : '#Command5');
      await answerBoxes(page);
      // A press writes the address once its frame is painted: after this frame's tasks.
      await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => setTimeout(done, 0))));
      const shown = await shownFields(page);
      for (const [name, field] of Object.entries(shown)) {
        assert.doesNotMatch(field.text, /[\u0000-\u0008\u000b-\u001f\u007f\u200b\u202e\ufeff\u00ad]/, name);
      }
      const other = await openWindow(context, page.url());
      const opened = await shownFields(other);
      for (const name of Object.keys(shown).filter((id) => /^(Text|Option|Check|Command|Label[12]$)/.test(id))) {
        assert.deepEqual(opened[name], shown[name], `round ${round} ${name}`);
      }
      await other.close();
    }
    assert.deepEqual(page.errors, []);
    await context.close();
  });

  test('a changed address opens its inputs, after any box that is up', async () => {
    const context = await browser.newContext();
    const page = await openWindow(context, site.url);
    const entries = await page.evaluate(() => history.length);
    for (const [name, value] of [['Text3', '15000'], ['Text4', '105'], ['Text5', '25'], ['Text6', '180'],
      ['Text7', '3000'], ['Text8', '30']]) {
      await page.click(`#${name}`);
      await page.keyboard.press('Control+A');
      await page.keyboard.type(value);
    }
    await page.click('#Option2');
    await page.click('#Command1');
    assert.equal(await page.evaluate(() => history.length), entries); // each change replaces the entry
    assert.match(page.url(), /#v1&d=Option2&Text3=15000&Text4=105/);

    // Pasted in the frame of a press: the press's own address, written once
    // that frame is painted, does not cover it.
    await page.evaluate(() => {
      document.getElementById('Command1').click();
      requestAnimationFrame(() => { location.hash = '#v1&d=Option7&Text3=12'; });
    });
    await page.waitForFunction(() => document.getElementById('Text3').value === '12');
    assert.deepEqual((await boxes(page)).slice(0, 3), ['0', '12', '0']);
    assert.equal(await page.textContent('#Label1'), '元气');
    assert.equal(await page.textContent('#Label15'), '内功攻击'); // results at their start captions

    await page.evaluate(() => { location.hash = '#v1'; });
    await page.waitForFunction(() => document.getElementById('Text3').value === '0');
    await page.click('#Command1'); // no discipline: a box is up
    await page.waitForSelector('#warning[open]');
    // Listeners run in order: once this one has run, the page's has too.
    await page.evaluate(() => new Promise((handled) => {
      addEventListener('hashchange', handled, { once: true });
      location.hash = '#v1&Text3=7';
    }));
    assert.equal(await page.inputValue('#Text3'), '0');
    assert.deepEqual(await answerBoxes(page), [['请选择 门派·心法', '敢问大侠来自何门何派？']]);
    await page.waitForFunction(() => document.getElementById('Text3').value === '7');
    assert.equal(await page.textContent('#Label15'), '内功攻击');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'Text1'); // as a new visit starts
    assert.match(page.url(), /#v1&Text3=7$/);
    await page.goBack();
    await page.waitForFunction(() => document.getElementById('Text3').value === '0');
    await context.close();
  });

  test('what was typed survives a reload, even with a control character', async () => {
    const context = await browser.newContext();
    const page = await openWindow(context, site.url);
    await page.click('#Text3');
    await page.keyboard.press('Control+A');
    await page.keyboard.insertText('12\v0');
    await page.keyboard.press('Tab'); // leaving the box writes the address
    await page.focus('#Text2');
    await page.keyboard.press('Control+A');
    await page.keyboard.insertText('9'.repeat(1025));
    await page.keyboard.press('Tab');
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    assert.equal(await page.inputValue('#Text3'), '120');
    assert.equal(await page.inputValue('#Text2'), '9'.repeat(256)); // a box holds 256 characters
    await context.close();
  });
});

describe('a page that cannot run', () => {
  let site;
  before(async () => { site = await startSite(); });
  after(() => site.stop());

  const says = async (page, words) => {
    await page.waitForFunction((w) => document.body.innerText.includes(w), words, { timeout: 15000 });
  };

  test('without script, says so in Chinese', async () => {
    const context = await browser.newContext({ javaScriptEnabled: false });
    const page = await context.newPage();
    await page.goto(site.url);
    await says(page, '允许本站运行 JavaScript');
    assert.equal(await page.$eval('#cannot-run', (p) => getComputedStyle(p).display), 'none'); // one message only
    await page.goto(`${site.url}help.html`);
    assert.equal(await page.title(), '说明文档');
    await says(page, '允许本站运行 JavaScript');
    await context.close();
  });

  for (const [how, route] of [
    ['the module blocked', (r) => r.abort()],
    ['the module broken', (r) => r.fulfill({ contentType: 'application/wasm', body: Buffer.from('not a module') })],
  ]) {
    test(`with ${how}, says so in Chinese`, async () => {
      const context = await browser.newContext();
      await context.route('**/velmora.wasm', route);
      const page = await context.newPage();
      await page.goto(site.url);
      await says(page, '计算器未能载入');
      assert.equal(await page.locator('#Text1').count(), 0);
      await context.close();
    });
  }

  test('with its script blocked, says so after a while', async () => {
    const context = await browser.newContext();
    await context.route('**/app.js', (r) => r.abort());
    const page = await context.newPage();
    await page.goto(site.url);
    assert.equal(await page.isVisible('#cannot-run'), false); // not while the page may still be loading
    await page.waitForFunction(() => getComputedStyle(document.getElementById('cannot-run')).visibility === 'visible',
      null, { timeout: 15000 });
    await context.close();
  });

  test('opened from a file, says to open it from an address', async () => {
    const context = await browser.newContext();
    const page = await context.newPage();
    await page.goto(`file://${join(siteDir, 'index.html')}`);
    await says(page, '不能从本地文件打开');
    await context.close();
  });
});

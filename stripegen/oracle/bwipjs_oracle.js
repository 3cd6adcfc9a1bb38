// Writes the expected symbols of the library's oracle tests, drawn by an
// independent encoder (bwip-js, npm) and, where zxing-wasm (npm) is present,
// read back by an independent reader. The tests read only the files written
// here, so running them needs neither Node.js nor npm.
//
//   npm install --prefix /tmp/oracle bwip-js@4.11.4 zxing-wasm
//   NODE_PATH=/tmp/oracle/node_modules node stripegen/oracle/bwipjs_oracle.js
//
// Output (in stripegen/testdata/):
//   limited_bwipjs.txt    one DataBar Limited symbol for each of the 89 check
//                         values: primary (13 digits), check value, then the
//                         46 element widths, light first.
//   composite_bwipjs.txt  DataBar symbols with composite components as module
//                         rows (see the file's header).
'use strict';
const fs = require('fs');
const path = require('path');
const bwipjs = require('bwip-js');

const out = path.join(__dirname, '..', 'testdata');
const version = `${bwipjs.BWIPJS_VERSION} (BWIPP ${bwipjs.BWIPP_VERSION})`;

function gtin14(d13) {
    let s = 0;
    for (let i = 0; i < 13; i++) s += Number(d13[12 - i]) * (i % 2 === 0 ? 3 : 1);
    return d13 + String((10 - (s % 10)) % 10);
}
let seed = 20240611;
const rand = (n) => { seed = (seed * 1103515245 + 12345) % 2147483648; return seed % n; };

// ------------------------------------------------------------ Limited
const limitedWeights = [1, 3, 9, 27, 81, 65, 17, 51, 64, 14, 42, 37, 22, 66,
    20, 60, 2, 6, 18, 54, 73, 41, 34, 13, 39, 28, 84, 74];
function limitedSymbols() {
    const byCheck = new Map();
    for (let tries = 0; byCheck.size < 89 && tries < 50000; tries++) {
        let d = String(rand(2));
        for (let i = 0; i < 12; i++) d += String(rand(10));
        const sbs = bwipjs.raw('databarlimited', `(01)${gtin14(d)}`, {})[0].sbs;
        // sbs is bar first with an empty first bar; bwip-js ends the symbol
        // with 5 light modules after the guard, which the 46-element
        // pattern leaves to the quiet zone.
        const widths = sbs.slice(1, 47);
        let cs = 0;
        for (let i = 0; i < 14; i++) cs += widths[2 + i] * limitedWeights[i] + widths[30 + i] * limitedWeights[14 + i];
        cs %= 89;
        if (!byCheck.has(cs)) byCheck.set(cs, { d, widths });
    }
    if (byCheck.size !== 89) throw new Error(`only ${byCheck.size} check values reached`);
    return [...byCheck.entries()].sort((a, b) => a[0] - b[0]).map(([cs, s]) => ({ cs, ...s }));
}

function reader() {
    let zx;
    try { zx = require('zxing-wasm/reader'); } catch (e) { return null; }
    zx.prepareZXingModule({ overrides: { wasmBinary: fs.readFileSync(require.resolve('zxing-wasm/reader/zxing_reader.wasm')) } });
    return zx;
}

async function readLimited(symbols) {
    const zx = reader();
    if (!zx) return 'not read back (zxing-wasm missing)';
    let ok = 0;
    for (const { d, widths } of symbols) {
        const scale = 3, quiet = 10, h = 30, mods = [];
        widths.forEach((w, i) => { for (let k = 0; k < w; k++) mods.push(i % 2 === 1); });
        const W = (mods.length + 2 * quiet) * scale;
        const data = new Uint8ClampedArray(W * h * 4).fill(255);
        for (let y = 0; y < h; y++) mods.forEach((dark, m) => {
            if (!dark) return;
            for (let s = 0; s < scale; s++) { const o = (y * W + (m + quiet) * scale + s) * 4; data[o] = data[o + 1] = data[o + 2] = 0; }
        });
        const res = await zx.readBarcodes({ data, width: W, height: h }, { formats: ['DataBarLtd'], tryHarder: true });
        if (res.length === 1 && res[0].text === `(01)${gtin14(d)}`) ok++;
    }
    const zv = JSON.parse(fs.readFileSync(path.join(path.dirname(require.resolve('zxing-wasm/reader')), '..', '..', '..', 'package.json'), 'utf8')).version;
    if (ok !== symbols.length) throw new Error(`zxing-wasm read ${ok} of ${symbols.length} Limited symbols`);
    return `all ${ok} read back with their GTIN by zxing-wasm ${zv}`;
}

// ---------------------------------------------------------- composites
// The library's four exports and the encoder's names for them.
const symbologies = [
    ['RSS14', 'databaromnicomposite'],
    ['RSS14S', 'databarstackedcomposite'],
    ['RSS14SO', 'databarstackedomnicomposite'],
    ['RSSLIM', 'databarlimitedcomposite'],
];
// Element strings in the encoder's form, (AI)data. In the library's form the
// parentheses go and a variable-length field followed by another element
// ends with FNC1, written '^' in the file.
const fixedLength = { '00': 18, '01': 14, '02': 14, '03': 14, '04': 16, '11': 6, '12': 6, '13': 6, '15': 6, '16': 6,
    '17': 6, '20': 2, '31': 10, '32': 10, '33': 10, '34': 10, '35': 10, '36': 10, '41': 16 };
function libraryForm(s) {
    const parts = [...s.matchAll(/\((\d+)\)([^(]*)/g)].map((m) => [m[1], m[2]]);
    return parts.map(([ai, v], i) => ai + v + (i + 1 < parts.length && !(ai.slice(0, 2) in fixedLength) ? '^' : ''))
        .join('');
}

const filler = (n, abc) => { let s = ''; for (let i = 0; i < n; i++) s += abc[(i * 7) % abc.length]; return s; };
// n characters of data spread over AIs (91), (92), ... of at most 90 each.
function chained(n, abc) {
    const t = filler(n, abc);
    let m = '';
    for (let i = 0, ai = 91; i < t.length; i += 90, ai++) m += `(${ai})` + t.slice(i, i + 90);
    return m;
}

// Messages of every kind the general-purpose compaction meets, and the
// compressed methods' openings (dates with a lot, AI 90).
const fixedMessages = [
    '(10)ABC123', '(21)abc-def/GHI.jkl', '(10)LOT7(21)12345', '(17)201231(10)LOT5', '(11)990101',
    '(17)261231', '(11)240229(10)A1(21)zz', '(90)ABC123', '(90)3A1234567', '(91)12345678901234567890',
    '(91)1A2B3C4D5E', '(99)!"%&\'*+,-./:;<=>?_', '(7003)2401011230', '(10)1(21)2(92)3',
];

function matrix(bcid, text, opts) {
    const r = bwipjs.raw(bcid, text, opts)[0];
    const rows = [];
    for (let y = 0; y < r.pixs.length / r.pixx; y++) rows.push(r.pixs.slice(y * r.pixx, (y + 1) * r.pixx));
    return rows;
}
// One row of modules as hexadecimal, 4 modules a digit, trailing light
// modules dropped.
function hexRow(row) {
    let end = row.length;
    while (end > 0 && row[end - 1] === 0) end--;
    let s = '';
    for (let i = 0; i < end; i += 4) {
        let v = 0;
        for (let k = 0; k < 4; k++) v = v * 2 + (row[i + k] === 1 ? 1 : 0);
        s += v.toString(16);
    }
    return s || '0';
}

function compositeSymbols() {
    const primary = '0351234567890';
    const text = (cc) => `(01)${gtin14(primary)}|${cc}`;
    const list = [];
    for (const [ours, bcid] of symbologies) {
        const add = (cc, why) => list.push({ ours, primary, cc, why, rows: matrix(bcid, text(cc), {}) });
        for (const m of fixedMessages) add(m, 'kind');
        // Growing messages: keep the first of every run of one row count, so
        // that each component size the encoder chooses is met.
        for (const [name, abc] of [['mixed', 'abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ'],
            ['digits', '0123456789']]) {
            let last = -1;
            for (let n = 1; n <= 400; n++) {
                let rows;
                try { rows = matrix(bcid, text(chained(n, abc)), {}); } catch (e) { break; }
                if (rows.length !== last) list.push({ ours, primary, cc: chained(n, abc), why: `${name}-${n}`, rows });
                last = rows.length;
            }
        }
    }
    return list;
}

// Every CC-A and CC-B size drawn alone in each column count, the kind forced:
// the first message of the mixed filler that the encoder draws in that size.
function componentSizes() {
    const abc = 'abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ';
    const list = [];
    for (const [kind, ver] of [['CCA', 'a'], ['CCB', 'b']])
        for (const cols of [2, 3, 4]) {
            const seen = new Set();
            let last = 0;
            for (let n = 1; n <= 400; n++) {
                let rows;
                try { rows = matrix('gs1-cc', chained(n, abc), { ccversion: ver, cccolumns: cols }); } catch (e) { break; }
                // Past its largest CC-A (12, 8 and 7 rows) the encoder goes on to CC-B.
                if (rows.length < last || (kind === 'CCA' && rows.length > { 2: 12, 3: 8, 4: 7 }[cols])) break;
                last = rows.length;
                if (!seen.has(rows.length)) list.push({ kind, cols, cc: chained(n, abc), rows });
                seen.add(rows.length);
            }
        }
    return list;
}

// The bytes a reader finds in a component read as MicroPDF417 (CC-B is a
// MicroPDF417 symbol whose data begins with 920), in hexadecimal; '-' where
// it finds none or no reader is present.
async function readMicroPdf(rows) {
    const zx = reader();
    if (!zx) return '-';
    const scale = 4, rowHeight = 3 * scale, quiet = 10, width = rows[0].length;
    const W = (width + 2 * quiet) * scale, H = (rows.length * 3 + 2 * quiet) * scale;
    const data = new Uint8ClampedArray(W * H * 4).fill(255);
    rows.forEach((row, y) => row.forEach((dark, x) => {
        if (!dark) return;
        for (let dy = 0; dy < rowHeight; dy++) for (let dx = 0; dx < scale; dx++) {
            const o = ((quiet * scale + y * rowHeight + dy) * W + (quiet + x) * scale + dx) * 4;
            data[o] = data[o + 1] = data[o + 2] = 0;
        }
    }));
    const res = await zx.readBarcodes({ data, width: W, height: H }, { formats: ['MicroPDF417'], tryHarder: true });
    return res.length === 1 ? Buffer.from(res[0].bytes).toString('hex') : '-';
}

// ------------------------------------------------------ DataBar Expanded
// Messages for every encodation method: (01) alone and with more data,
// general purpose, the compressed weights (3103, 3202/3203, 310x/320x with
// and without a date) and prices (392x, 393x); then general-purpose messages
// growing until every symbol character count is met.
function expandedMessages() {
    const g = '(01)90012345678908';
    const list = ['(01)00012345678905', '(01)00012345678905(10)ABC123', '(01)12345678901231(21)abc-DEF.9',
        '(01)00012345678905(17)261231(10)LOT42', '(01)98898765432106(15)991231',
        '(10)AB', '(91)1', '(21)Z', '(10)12345678', '(99)abc!"%&\'*+,-./:;<=>?_', '(10)A1(21)B2(91)C3',
        `${g}(3103)001750`, `${g}(3103)032767`, `${g}(3103)032768`, `${g}(3202)009999`, `${g}(3203)022767`,
        `${g}(3202)010000`, `${g}(3101)012345`, `${g}(3205)099999`];
    for (const ai of ['310', '320']) for (const d of ['11', '13', '15', '17'])
        list.push(`${g}(${ai}2)012345(${d})100229`);
    list.push(`${g}(3922)1234`, `${g}(3920)0`, `${g}(3923)123456789012345`, `${g}(3932)9781234`,
        `${g}(3931)036999`, `${g}(3922)1234(10)AB`);
    for (let n = 1; n <= 80; n++) list.push('(91)' + filler(n, '0123456789ABCabc'));
    for (let n = 1; n <= 80; n++) list.push('(01)00012345678905(91)' + filler(n, 'ABCDEF0123'));
    return list;
}

function expandedSymbols() {
    const out = [], seen = new Set();
    for (const m of expandedMessages()) {
        let sbs;
        try { sbs = bwipjs.raw('databarexpanded', m, { dontlint: true })[0].sbs; } catch (e) { continue; }
        // Bar first with an empty first bar, like Limited.
        const widths = sbs.slice(1);
        // Symbol characters, check included: 21 elements a pair, 13 in a last pair without right character.
        const pairs = widths.length - 4, n = 2 * Math.floor(pairs / 21) + (pairs % 21 ? 1 : 0);
        const key = `${m.startsWith('(91)') || m.includes(')(91)') ? n : m}`;
        if (seen.has(key)) continue;
        seen.add(key);
        out.push({ m, n, widths });
    }
    return out;
}

// Expanded Stacked with every even number of segments per row, for messages
// of many lengths: the module rows from the top (symbol rows and the three
// separator rows between each two).
function stackedSymbols() {
    const out = [];
    const messages = ['(01)00012345678905', '(10)AB', '(01)90012345678908(3103)001750'];
    for (const n of [3, 9, 15, 21, 27, 33, 40, 47, 55, 62]) messages.push('(91)' + filler(n, '0123456789ABCabc'));
    for (const segments of [2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22])
        for (const m of messages) {
            let rows;
            try { rows = matrix('databarexpandedstacked', m, { dontlint: true, segments }); } catch (e) { continue; }
            out.push({ m, segments, rows });
        }
    return out;
}

// Expanded and Expanded Stacked with composite components.
function expandedComposites() {
    const out = [];
    const linear = ['(01)00012345678905', '(91)1', '(10)ABCDEFGHIJ(21)1234567890', '(01)90012345678908(3103)001750'];
    const cc = ['(10)AB', '(21)abc-def/GHI.jkl', '(17)261231(10)LOT5', '(91)' + filler(60, '0123456789ABCabc')];
    for (const segments of [22, 4, 6])
        for (const m of linear)
            for (const c of cc) {
                let rows;
                const bcid = segments === 22 ? 'databarexpandedcomposite' : 'databarexpandedstackedcomposite';
                try { rows = matrix(bcid, `${m}|${c}`, { dontlint: true, segments }); } catch (e) { continue; }
                out.push({ m: `${libraryForm(m)}|${libraryForm(c)}`, segments, rows });
            }
    return out;
}

(async () => {
    const lim = limitedSymbols();
    const readBack = await readLimited(lim);
    fs.writeFileSync(path.join(out, 'limited_bwipjs.txt'),
        `# GS1 DataBar Limited drawn by bwip-js ${version}, one symbol for each check value.\n` +
        `# Written by stripegen/oracle/bwipjs_oracle.js; ${readBack}.\n` +
        '# primary (13 digits, no check digit), check value, 46 element widths light first\n' +
        lim.map((s) => `${s.d} ${s.cs} ${s.widths.join(' ')}`).join('\n') + '\n');

    const cs = compositeSymbols();
    fs.writeFileSync(path.join(out, 'composite_bwipjs.txt'),
        `# DataBar symbols with composite components drawn by bwip-js ${version}, size chosen by the encoder.\n` +
        '# Written by stripegen/oracle/bwipjs_oracle.js.\n' +
        '# "symbol EXPORT PRIMARY COMPOSITE NOTE ROWS": COMPOSITE in the library\'s form, ^ for FNC1; then\n' +
        '# ROWS lines, one module row each from the top (component rows, separators, linear rows, one line\n' +
        '# for each row whatever its height), 4 modules a hexadecimal digit, dark = 1, trailing light dropped.\n' +
        cs.map((s) => `symbol ${s.ours} ${s.primary} ${libraryForm(s.cc)} ${s.why} ${s.rows.length}\n` +
            s.rows.map(hexRow).join('\n')).join('\n') + '\n');
    const sizes = componentSizes();
    for (const s of sizes) s.read = s.kind === 'CCB' ? await readMicroPdf(s.rows) : '-';
    const read = sizes.filter((s) => s.read !== '-').length;
    fs.writeFileSync(path.join(out, 'component_sizes_bwipjs.txt'),
        `# Composite components drawn alone by bwip-js ${version}, kind and column count forced.\n` +
        '# Written by stripegen/oracle/bwipjs_oracle.js.\n' +
        '# "component KIND COLUMNS COMPOSITE ROWS READ", then ROWS module rows as in composite_bwipjs.txt.\n' +
        '# READ: the bytes zxing-wasm read from the CC-B component as MicroPDF417, in hexadecimal\n' +
        `# ('-' for CC-A, which is no MicroPDF417 symbol); ${read} CC-B components read.\n` +
        sizes.map((s) => `component ${s.kind} ${s.cols} ${libraryForm(s.cc)} ${s.rows.length} ${s.read}\n` +
            s.rows.map(hexRow).join('\n')).join('\n') + '\n');
    const exp = expandedSymbols();
    fs.writeFileSync(path.join(out, 'expanded_bwipjs.txt'),
        `# GS1 DataBar Expanded drawn by bwip-js ${version} (option dontlint).\n` +
        '# Written by stripegen/oracle/bwipjs_oracle.js.\n' +
        '# "MESSAGE N WIDTHS...": the message in the library\'s form (^ for FNC1), the symbol character\n' +
        '# count (check character included), the element widths light first.\n' +
        exp.map((s) => `${libraryForm(s.m)} ${s.n} ${s.widths.join(' ')}`).join('\n') + '\n');
    const st = stackedSymbols();
    fs.writeFileSync(path.join(out, 'expanded_stacked_bwipjs.txt'),
        `# GS1 DataBar Expanded Stacked drawn by bwip-js ${version} (option dontlint).\n` +
        '# Written by stripegen/oracle/bwipjs_oracle.js.\n' +
        '# "stacked MESSAGE SEGMENTS ROWS", then ROWS module rows as in composite_bwipjs.txt: symbol rows\n' +
        '# and between each two the separator under the upper row, the checkerboard, the separator over the lower.\n' +
        st.map((s) => `stacked ${libraryForm(s.m)} ${s.segments} ${s.rows.length}\n` + s.rows.map(hexRow).join('\n'))
            .join('\n') + '\n');
    console.log(`${st.length} Expanded Stacked symbols`);
    const ec = expandedComposites();
    fs.writeFileSync(path.join(out, 'expanded_composite_bwipjs.txt'),
        `# GS1 DataBar Expanded (Stacked) with composite components drawn by bwip-js ${version} (option dontlint).\n` +
        '# Written by stripegen/oracle/bwipjs_oracle.js.\n' +
        '# "stacked MESSAGE SEGMENTS ROWS" as in expanded_stacked_bwipjs.txt, MESSAGE being linear|composite;\n' +
        '# the rows from the top: component rows, the composite separator, then the lines of the symbol.\n' +
        ec.map((s) => `stacked ${s.m} ${s.segments} ${s.rows.length}\n` + s.rows.map(hexRow).join('\n'))
            .join('\n') + '\n');
    console.log(`${ec.length} Expanded composite symbols`);
    console.log(`${exp.length} Expanded symbols, N = ${[...new Set(exp.map((s) => s.n))].sort((a, b) => a - b).join(',')}`);
    console.log(`${lim.length} Limited symbols (${readBack}), ${cs.length} composite symbols, ${sizes.length} sizes`);
})().catch((e) => { console.error(e); process.exit(1); });

'use strict';
// The page's face on the engine: builds the window from the engine's
// description, passes the boxes' text to the form's rules and does what
// they answer (report, message, pixels, what to say aloud).
(() => {
  const $ = (id) => document.getElementById(id);
  const encoder = new TextEncoder();
  const kPlot = 0; // the engine's pictures: the window's plot, then a document's plots
  const kPaperRatio = 3; // a document's plots, sharp on paper
  const kPixelsPerPoint = 96 / 72; // CSS pixels
  let engine = null;
  let design = null; // the window's description
  let tick = 0;
  let running = false; // the plot's timer: enabled
  let resting = false; // and waiting for the picture to change
  let ratioQuery = null;
  let ratio = 1; // the picture's device pixels to the window's pixels
  let availableWidth = null; // the window's column, in CSS pixels, on a phone; null until laid out
  let speaking = 0; // the live region that spoke last
  let errorBox = null; // the box that the message on screen names

  // The timer after a tick with nothing else to say, by the engine's number for it.
  const kTimerStates = [null, { acceso: false, riposa: false }, { acceso: true, riposa: false },
    { acceso: true, riposa: true }];

  // A C string of the engine's, as text, and a JSON answer as an object.
  const text = (pointer) => engine.UTF8ToString(pointer);
  const answer = (pointer) => JSON.parse(text(pointer));
  const px = (n) => `${n}px`;
  const boxes = () => [...document.querySelectorAll('input.casella')];
  let windowWide = null; // the window's layout fits: a query made from its width, asked often
  // Whether the page has the phone's layout now. The style sheet follows the
  // class, which the query's change event sets only at the next frame: set
  // here too, so that what the script does at once meets the right layout.
  function phoneLayout() {
    document.documentElement.classList.toggle('larga', windowWide.matches);
    return !windowWide.matches;
  }

  // Calls fn with each string as a NUL-ended UTF-8 copy in the engine's memory.
  function withStrings(strings, fn) {
    const pointers = strings.map((s) => {
      const bytes = encoder.encode(s);
      const p = engine._malloc(bytes.length + 1);
      engine.HEAPU8.set(bytes, p);
      engine.HEAPU8[p + bytes.length] = 0;
      return p;
    });
    try {
      return fn(...pointers);
    } finally {
      pointers.forEach((p) => engine._free(p));
    }
  }

  // ------------------------------------------------------------ the window

  // A frame on the window is a fieldset with its legend; a frame in a frame
  // holds one box, which its caption labels.
  function frame(control, inWindow) {
    if (inWindow) {
      const fieldset = document.createElement('fieldset');
      fieldset.append(Object.assign(document.createElement('legend'), { textContent: control.testo }));
      return fieldset;
    }
    const group = Object.assign(document.createElement('div'), { role: 'group' });
    group.classList.add('riquadro');
    const caption = Object.assign(document.createElement('label'), { textContent: control.testo });
    caption.id = `${control.nome.toLowerCase()}-titolo`;
    group.setAttribute('aria-labelledby', caption.id);
    group.append(caption);
    return group;
  }

  // A box with the keyboard that has "." and "-" (a decimal keypad may
  // offer only the locale's comma); Invio in it does "Calcolo".
  function box(control, container) {
    const input = Object.assign(document.createElement('input'), {
      type: 'text', autocomplete: 'off', spellcheck: false, inputMode: 'text', enterKeyHint: 'go',
    });
    input.setAttribute('autocapitalize', 'off');
    input.dataset.nome = control.nomeAccessibile;
    input.dataset.descrizione = control.descrizione;
    container.querySelector('label').htmlFor = control.nome.toLowerCase();
    input.addEventListener('input', () => tellHowRead(input));
    // Its description changes only once the focus has left it: a screen
    // reader says a new description of the focused box at once, mid-word.
    input.addEventListener('blur', () => describe(input));
    input.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter' || event.isComposing) return;
      event.preventDefault();
      calcolo();
    });
    return input;
  }

  // Under a box, what its text is read as when not read whole.
  function noticeFor(input) {
    const notice = Object.assign(document.createElement('p'), { id: `${input.id}-avviso` });
    notice.classList.add('avviso-casella');
    return notice;
  }

  function element(control, container) {
    switch (control.tipo) {
      case 'cornice':
        return frame(control, container === $('finestra'));
      case 'casella':
        return box(control, container);
      case 'pulsante':
        return Object.assign(document.createElement('button'), { type: 'button', textContent: control.testo });
      default:
        return Object.assign(document.createElement('span'), { textContent: control.testo });
    }
  }

  // Where the window puts the control, for the style sheet to use.
  function place(node, control) {
    const { x, y, w, h } = control.posto;
    Object.entries({ '--x': x, '--y': y, '--w': w, '--h': h, '--font': control.pixelFont })
      .forEach(([name, value]) => node.style.setProperty(name, px(value)));
    if (control.colore) node.style.setProperty('--colore', control.colore);
    node.classList.add('controllo', control.tipo);
    node.classList.toggle('grassetto', control.grassetto);
    node.classList.toggle('adatta', control.adatta);
    node.classList.toggle('a-capo', control.aCapo);
    node.classList.toggle('asse', control.asse);
  }

  function buildWindow() {
    const window_ = $('finestra');
    document.documentElement.style.setProperty('--larghezza', px(design.larghezza));
    document.documentElement.style.setProperty('--altezza', px(design.altezza));
    window_.style.setProperty('--font-resoconto', px(design.pixelFontResoconto));
    document.documentElement.style.setProperty('--menu', design.sfondo);
    document.documentElement.style.setProperty('--faccia', design.sfondoDidascalie);
    const containers = new Map([['', window_]]);
    for (const control of design.controlli) {
      // The axis captions lie over the plot, and go where it goes.
      const container = control.asse ? $('disegno') : containers.get(control.dentro);
      const node = element(control, container);
      node.id = control.nome.toLowerCase();
      place(node, control);
      if (control.descrizione) node.setAttribute('aria-description', control.descrizione);
      container.append(node);
      if (control.tipo === 'casella') node.after(noticeFor(node));
      containers.set(control.nome, node);
    }
    // After the controls, so that the Tab goes to them first.
    window_.append($('resoconto'), $('tavola'), $('sommario'));
    const lowest = Math.max(design.areaGrafico.y + design.areaGrafico.h,
      ...design.controlli.filter((c) => c.asse).map((c) => c.posto.y + c.posto.h));
    document.documentElement.style.setProperty('--altezza-grafico', px(lowest + 4));
    $('resoconto').setAttribute('aria-label', design.resoconto.nome);
    $('resoconto').setAttribute('aria-description', design.resoconto.descrizione);
    $('grafico').setAttribute('aria-label', design.grafico.nome);
    $('sommario').textContent = design.grafico.descrizione;
  }

  // A box whose text is not read whole says so under it (on a phone) while
  // it is typed, and in its description. What "Calcolo" read goes with its
  // result instead, in the list of notices: the box's own notice then hides,
  // so that no notice shows twice.
  function tellHowRead(input) {
    const notice = withStrings([input.value], (t) => answer(engine._rl_avviso(t)));
    const byTheBox = $(`${input.id}-avviso`);
    byTheBox.textContent = notice;
    byTheBox.hidden = !notice || input.value === input.dataset.calcolato;
    if (document.activeElement !== input) describe(input);
  }

  function describe(input) {
    const notice = $(`${input.id}-avviso`).textContent;
    const description = notice || input.dataset.descrizione;
    if (input.getAttribute('aria-description') !== description) input.setAttribute('aria-description', description);
  }

  // The notices of the texts that "Calcolo" read, with its result.
  function listNotices() {
    boxes().forEach((b) => { b.dataset.calcolato = b.value; });
    boxes().forEach(tellHowRead);
    $('avvisi').replaceChildren(...boxes().filter((b) => $(`${b.id}-avviso`).textContent)
      .map((b) => Object.assign(document.createElement('li'), {
        textContent: `${b.dataset.nome}: ${$(`${b.id}-avviso`).textContent}`,
      })));
  }

  // On a phone the notices follow the report, in the window's column; in the
  // window's layout they lie under the window.
  function placeNotices() {
    const list = $('avvisi');
    if (phoneLayout()) {
      if (list.previousElementSibling !== $('resoconto')) $('resoconto').after(list);
    } else if (list.previousElementSibling !== $('finestra')) {
      $('finestra').after(list);
    }
  }

  // ------------------------------------------------------------ the rules' answers

  // Two live regions, spoken in turn: a screen reader hears a region that
  // goes from empty to its words, not one whose words are written again. And
  // Orca drops a text equal to the last one it was given, so the second
  // region's words end in a no-break space: the same result is said again.
  const kVoices = ['avviso', 'avviso-bis'];
  function announce(words) {
    speaking = 1 - speaking;
    $(kVoices[1 - speaking]).textContent = '';
    $(kVoices[speaking]).textContent = speaking ? `${words}\u00a0` : words;
  }

  function silence() {
    kVoices.forEach((id) => { $(id).textContent = ''; });
  }

  // The message, and what the boxes were read as. Nothing stays in a live
  // region: the dialog hides it, and its closing would say it again.
  function showError(message, notices) {
    silence();
    const dialog = $('errore');
    $('errore-testo').textContent = message;
    $('errore-avvisi').textContent = notices;
    $('errore-avvisi').hidden = !notices;
    const hint = message.split('\n\n')[1] ?? '';
    errorBox = boxes().find((b) => hint.startsWith(`${b.dataset.nome}:`)) ?? null;
    if (!dialog.open) dialog.showModal();
    $('errore-ok').focus();
  }

  // Closed, the message gives the focus to the box it names.
  function errorClosed() {
    if (errorBox) errorBox.focus();
    errorBox = null;
  }

  // The report a line to an element: on a phone a long line wraps, its
  // continuation indented.
  function showReport(text) {
    $('resoconto').replaceChildren(...text.split(/(?<=\n)/)
      .map((line) => Object.assign(document.createElement('span'), { textContent: line })));
  }

  // The timer as the rules leave it: running or not, and resting until the
  // picture changes; null keeps it as it is.
  function setTimer(state) {
    if (!state) return;
    running = state.acceso;
    resting = state.riposa;
    clearTimeout(tick);
    tick = 0;
    if (running && !resting) scheduleTick();
  }

  // A button enabled as the rules offer it; written only when that changes,
  // as a tick asks on every drawing.
  function offer(button, offered) {
    if (button.disabled === offered) button.disabled = !offered;
  }

  // Into view at the next frame, when the page is laid out anyway: asked for
  // at once, the scroll would lay the whole page out inside the click.
  function scrollSoon(element) {
    requestAnimationFrame(() => element.scrollIntoView({ block: 'nearest' }));
  }

  // Does what the form's rules answered, in their order.
  function apply(r) {
    phoneLayout();
    setTimer(r.timer);
    const report = $('resoconto');
    if (r.pulisci) {
      report.hidden = true;
      report.textContent = '';
    }
    if (r.sfondo) $('finestra').style.background = r.sfondo;
    if (r.assi !== null) $('tavola').hidden = !r.assi;
    if (r.grafico) {
      $('sommario').textContent = r.sommario;
      markPoint();
    }
    if (r.resoconto !== null) {
      showReport(r.resoconto);
      report.hidden = false;
      // The result's last line, and the notices after it.
      if (phoneLayout()) scrollSoon($('avvisi').firstChild ? $('avvisi') : report);
    }
    offer($('salva'), r.offerte.grafico);
    offer($('stampa'), r.offerte.scheda);
    if (r.disegna) {
      draw();
      if (phoneLayout()) scrollSoon($('tavola'));
    }
    if (r.errore) showError(r.errore, r.annuncio);
    else if (r.annuncio) announce(r.annuncio);
  }

  // One of the engine's pictures onto a canvas, at the engine's device size:
  // the rows that its last drawing changed, or all of them onto a canvas that
  // had another size (which a new size clears).
  function copyPixels(canvas, which) {
    const width = engine._rl_larghezza(which);
    const height = engine._rl_altezza(which);
    let [first, rows] = [engine._rl_prima_riga(which), engine._rl_righe(which)];
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
      [first, rows] = [0, height];
    }
    if (rows === 0) return;
    const bytes = new Uint8ClampedArray(engine.HEAPU8.buffer, engine._rl_pixel(which), width * height * 4);
    canvas.getContext('2d').putImageData(new ImageData(bytes, width, height), 0, 0, 0, first, width, rows);
  }

  // One drawing: the rows it changed go onto the canvas; a tick that only
  // keeps or rests the timer reads no JSON.
  function draw() {
    const words = engine._rl_disegna();
    copyPixels($('grafico'), kPlot);
    if (words) apply(answer(words));
    else setTimer(kTimerStates[engine._rl_timer()]);
  }

  // The next tick comes while the picture keeps changing.
  function scheduleTick() {
    tick = setTimeout(() => {
      tick = 0;
      draw();
      if (running && !resting && !tick) scheduleTick();
    }, design.tickMs);
  }

  function calcolo() {
    listNotices();
    apply(answer(withStrings(boxes().map((b) => b.value), (t, s, q) => engine._rl_calcolo(t, s, q))));
  }

  function grafico() {
    fitPlot();
    apply(answer(engine._rl_grafico(ratio)));
    showPoints();
  }

  // ------------------------------------------------------------ the plot's size

  // The plot's size on screen to the window's: 1 in the window's layout or
  // enlarged, the screen's width on a phone. The picture is drawn at that
  // times the screen's own ratio, sharp with the same geometry.
  function fitPlot() {
    const tavola = $('tavola');
    const whole = !phoneLayout() || tavola.classList.contains('intera');
    availableWidth ??= $('finestra').clientWidth; // a plot before the first layout
    const scale = whole ? 1 : Math.min(1, availableWidth / design.larghezza);
    const screen = window.devicePixelRatio || 1;
    // Only what changed is written: a style written restyles the page.
    const root = document.documentElement.style;
    if (root.getPropertyValue('--scala') !== String(scale)) root.setProperty('--scala', String(scale));
    if (!ratioQuery || !ratioQuery.matches) {
      if (ratioQuery) ratioQuery.removeEventListener('change', sizeChanged);
      ratioQuery = matchMedia(`(resolution: ${screen}dppx)`);
      ratioQuery.addEventListener('change', sizeChanged);
    }
    const tabIndex = phoneLayout() ? 0 : -1; // to enlarge it, and to scroll it enlarged
    if (tavola.tabIndex !== tabIndex) tavola.tabIndex = tabIndex;
    const changed = ratio !== scale * screen;
    ratio = scale * screen;
    return changed;
  }

  // A zoom, another screen, a rotation or a new layout: the picture is drawn
  // again at its new size, as the window does on a new screen.
  function sizeChanged() {
    if (!fitPlot() || $('tavola').hidden) return;
    engine._rl_rapporto(ratio);
    setTimer({ acceso: true, riposa: false }); // woken, as the window is on a new screen
    draw();
  }

  function toggleWholePlot() {
    if (!phoneLayout()) return;
    $('tavola').classList.toggle('intera');
    sizeChanged();
    showPoints();
  }

  // The calculated point and the ray's end at the surface, in the window's
  // pixels; null where the plot has none.
  const points = () => answer(engine._rl_punti());

  // Small, the plot shows from its corner; enlarged, it opens on the
  // calculated point and the ray's end, or on the point where both do not fit.
  function showPoints() {
    const tavola = $('tavola');
    if (!tavola.classList.contains('intera')) {
      tavola.scrollTo(0, 0);
      return;
    }
    tavola.scrollIntoView({ block: 'nearest' });
    const { punto, fine } = points() ?? {};
    const seen = [punto, fine].filter((p) => p);
    if (!seen.length) return;
    const xs = seen.map((p) => p.x);
    const span = Math.max(...xs) - Math.min(...xs);
    const middle = span < tavola.clientWidth * 0.8 ? (Math.max(...xs) + Math.min(...xs)) / 2 : seen[0].x;
    tavola.scrollTo(middle - tavola.clientWidth / 2, 0);
  }

  // The calculated point ringed on the small plot of a phone, where its blue
  // circle is a few pixels across; the picture itself is the window's.
  function markPoint() {
    const ring = $('segno');
    const { punto } = points() ?? {};
    ring.hidden = !punto;
    if (!punto) return;
    ring.style.setProperty('--x', px(punto.x));
    ring.style.setProperty('--y', px(punto.y));
  }

  function plotKey(event) {
    if (event.key !== 'Enter' && event.key !== ' ') return;
    event.preventDefault();
    toggleWholePlot();
  }

  // ------------------------------------------------------------ saving, printing, help

  // The picture as the window saves it: the plot with its axis captions,
  // each word where the page shows it.
  function salva() {
    const plot = $('grafico');
    const picture = document.createElement('canvas');
    picture.width = plot.width;
    picture.height = plot.height;
    const context = picture.getContext('2d');
    context.drawImage(plot, 0, 0);
    const origin = plot.getBoundingClientRect();
    const scale = plot.width / origin.width;
    context.scale(scale, scale);
    context.textBaseline = 'top';
    const range = document.createRange();
    for (const label of document.querySelectorAll('#disegno .didascalia')) {
      const style = getComputedStyle(label);
      const box = label.getBoundingClientRect();
      context.fillStyle = style.backgroundColor;
      context.fillRect(box.left - origin.left, box.top - origin.top, box.width, box.height);
      context.font = `${style.fontWeight} ${parseFloat(style.fontSize) * box.height / label.offsetHeight}px ${style.fontFamily}`;
      context.fillStyle = style.color;
      const words = label.firstChild;
      for (const word of words.textContent.matchAll(/\S+/g)) {
        range.setStart(words, word.index);
        range.setEnd(words, word.index + word[0].length);
        const at = range.getBoundingClientRect();
        context.fillText(word[0], at.left - origin.left, at.top - origin.top);
      }
    }
    picture.toBlob((blob) => {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(blob);
      link.download = 'raggio-limite.png';
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    }, 'image/png');
  }

  const element_ = (tag, textContent = '') => Object.assign(document.createElement(tag), { textContent });

  // ------------------------------------------------------------ documents on paper

  // A document of the engine's, for the printer, block by block as the
  // window's painter draws it; each page on a sheet of its own.
  function writeDocument(doc) {
    $('carta').textContent = `@page { margin: ${doc.carta.margine}pt; }`;
    $('scheda').setAttribute('aria-label', doc.nome);
    $('scheda').replaceChildren(...doc.pagine.map((p) => {
      const sheet = document.createElement('section');
      sheet.className = 'foglio';
      sheet.append(...p.blocchi.map((b) => documentBlock[b.tipo](b, doc.carta)));
      return sheet;
    }));
  }

  const documentBlock = {
    titolo: (b) => element_('h1', b.testo),
    intestazione: (b) => element_('h2', b.testo),
    campi: (b) => element_('p', b.campi.map((f) => `${f.didascalia}: ${'_'.repeat(f.lunghezza)}`).join('   ')),
    tabella: documentTable,
    resoconto: (b) => element_('pre', b.righe.join('\n')),
    risposte: answerSpaces,
    grafico: documentPlot,
    messaggio: (b) => element_('p', b.testo),
  };

  // Each column from its start, in points from the margin.
  function documentTable(b) {
    const table = document.createElement('table');
    const columns = table.appendChild(document.createElement('colgroup'));
    b.colonne.forEach((start, i) => {
      const column = columns.appendChild(document.createElement('col'));
      if (i + 1 < b.colonne.length) column.style.width = `${b.colonne[i + 1] - start}pt`;
    });
    const header = table.createTHead().insertRow();
    b.intestazione.forEach((t) => header.append(element_('th', t)));
    const body = table.createTBody();
    for (const row of b.righe) {
      const cells = body.insertRow();
      row.forEach((t) => { cells.insertCell().textContent = t; });
    }
    return table;
  }

  function answerSpaces(b) {
    const spaces = document.createElement('div');
    spaces.className = 'risposte';
    for (const space of b.spazi) {
      const line = Object.assign(document.createElement('span'), { className: 'riga' });
      spaces.appendChild(document.createElement('p'))
        .append(element_('span', space.etichetta), line, element_('span', space.unita));
    }
    return spaces;
  }

  // The plot's area of the window, scaled to the width between the margins:
  // the engine's picture of it, clipped to the area, and the window's
  // captions at their places over it, whole.
  function documentPlot(b, paper) {
    const { x, y, w, h } = b.area;
    const scale = (paper.larghezza - 2 * paper.margine) * kPixelsPerPoint / w;
    const frame = document.createElement('div');
    frame.className = 'tavola-scheda';
    frame.style.width = px(w * scale);
    frame.style.height = px(h * scale);
    const drawing = frame.appendChild(document.createElement('div'));
    drawing.className = 'disegno-scheda';
    drawing.style.transform = `scale(${scale}) translate(${px(-x)}, ${px(-y)})`;
    const clip = drawing.appendChild(document.createElement('div'));
    clip.className = 'ritaglio';
    Object.entries({ left: x, top: y, width: w, height: h }).forEach(([k, v]) => { clip.style[k] = px(v); });
    const canvas = document.createElement('canvas');
    copyPixels(canvas, b.immagine);
    const image = clip.appendChild(Object.assign(document.createElement('img'), { src: canvas.toDataURL(), alt: '' }));
    Object.assign(image.style, { left: px(-x), top: px(-y), width: px(design.larghezza), height: px(design.altezza) });
    for (const caption of b.didascalie) {
      const node = element(caption, drawing);
      place(node, caption);
      drawing.append(node);
    }
    return frame;
  }

  // The calculation sheet of the last completed "Calcolo", for the printer:
  // the page that `raggio-limite scheda` writes.
  function buildSheet() {
    writeDocument(answer(engine._rl_scheda(kPaperRatio)));
  }

  function printSheet() {
    buildSheet();
    window.print();
  }

  // The help opens on its title: its first heading, and the top of its text.
  function showHelp() {
    if (!$('guida').open) $('guida').showModal();
    $('guida-titolo').focus();
  }

  function keyPressed(event) {
    if (event.key === 'F1') {
      event.preventDefault();
      showHelp();
    }
  }

  // ------------------------------------------------------------ checking a working, exercises, links

  // The boxes are kept for the next visit under the page's own path: two
  // copies of the file do not share them.
  const kStored = `raggio-limite ${location.pathname}`;
  let exercise = null; // the one the boxes were filled with: { codice, testo, caselle }
  let linkOpened = ''; // the last link followed, not followed again on a reload
  const stepBoxes = () => [...document.querySelectorAll('input.passo-casella')];

  // The five steps' boxes, each with its verdict and note after it, which
  // describe it to a screen reader.
  function buildSteps() {
    $('passi').replaceChildren(...answer(engine._rl_passi()).map((step) => {
      const id = `passo-${step.id}`;
      const row = Object.assign(document.createElement('div'), { className: 'passo' });
      const input = Object.assign(document.createElement('input'), {
        id, type: 'text', autocomplete: 'off', spellcheck: false, inputMode: 'text', enterKeyHint: 'go',
        className: 'passo-casella',
      });
      input.setAttribute('autocapitalize', 'off');
      input.setAttribute('aria-describedby', `${id}-esito ${id}-nota`);
      input.addEventListener('input', () => { forgetVerdict(input); store(); });
      input.addEventListener('keydown', (event) => {
        if (event.key !== 'Enter' || event.isComposing) return;
        event.preventDefault();
        verifica();
      });
      row.append(Object.assign(document.createElement('label'), { htmlFor: id, textContent: step.casella }), input,
        Object.assign(document.createElement('p'), { id: `${id}-esito`, className: 'esito' }),
        Object.assign(document.createElement('p'), { id: `${id}-nota`, className: 'nota' }));
      return row;
    }));
  }

  function forgetVerdict(input) {
    $(`${input.id}-esito`).replaceChildren();
    $(`${input.id}-esito`).dataset.esito = '';
    $(`${input.id}-nota`).textContent = '';
    input.removeAttribute('aria-invalid');
  }

  function forgetVerdicts() {
    stepBoxes().forEach(forgetVerdict);
    $('verifica-sommario').textContent = '';
  }

  // Each step's verdict and the comparison beside its box, the note under
  // them; a step that is not a number is the box the summary names.
  function showVerdicts(r) {
    forgetVerdicts();
    for (const step of r.passi ?? []) {
      const input = $(`passo-${step.id}`);
      const verdict = $(`${input.id}-esito`);
      verdict.append(element_('strong', step.esito), ` ${step.confronto}`);
      verdict.dataset.esito = step.esito;
      $(`${input.id}-nota`).textContent = step.nota;
      if (step.sbagliato) input.setAttribute('aria-invalid', 'true');
    }
    if (r.casella) $(`passo-${r.casella}`).setAttribute('aria-invalid', 'true');
    $('verifica-sommario').textContent = r.sommario;
  }

  // Her steps against the three boxes, read as "Calcolo" reads them; the
  // summary, first wrong step first, is said aloud.
  function verifica() {
    const texts = [...boxes(), ...stepBoxes()].map((b) => b.value);
    const r = answer(withStrings(texts, (...pointers) => engine._rl_verifica(...pointers)));
    showVerdicts(r);
    announce(r.sommario);
  }

  // The exercise's code shows while the boxes hold its inputs.
  function showExercise() {
    const holds = exercise && boxes().every((b, i) => b.value === exercise.caselle[i]);
    $('esercizio').textContent = holds ? exercise.testo : '';
  }

  // The three boxes filled (null leaves a box as it is); the steps, for
  // other values, emptied.
  function fill(texts) {
    boxes().forEach((b, i) => { if (texts[i] !== null) b.value = texts[i]; });
    boxes().forEach(tellHowRead);
    stepBoxes().forEach((b) => { b.value = ''; });
    forgetVerdicts();
    showExercise();
    store();
  }

  function startExercise(chosen) {
    exercise = chosen;
    fill(chosen.caselle);
    announce(chosen.testo);
  }

  // The next exercise of the set on screen, or the first of a new seed.
  function nuovoEsercizio() {
    const seed = 1000 + crypto.getRandomValues(new Uint32Array(1))[0] % 9000;
    const chosen = answer(withStrings([exercise?.codice ?? ''], (code) => engine._rl_nuovo(code, seed)));
    if (chosen) startExercise(chosen);
  }

  // #esercizio=2027-07 or #t=52.3&s=36&q=4; anything else is told, and the
  // boxes stay as they are.
  function openLink() {
    const hash = location.hash.slice(1);
    linkOpened = hash;
    if (!hash) return;
    const r = answer(withStrings([hash], (h) => engine._rl_collegamento(h)));
    if (r.esercizio) startExercise(r.esercizio);
    else if (r.caselle.some((t) => t !== null)) {
      exercise = null;
      fill(r.caselle);
    }
    if (r.avviso) {
      $('esercizio').textContent = r.avviso;
      announce(r.avviso);
    }
    store();
  }

  // A browser may refuse storage (or have none for a page from disk): the
  // page then works on, and forgets.
  function storage() {
    try {
      return window.localStorage ?? null;
    } catch {
      return null;
    }
  }

  function store() {
    const caselle = Object.fromEntries([...boxes(), ...stepBoxes()].map((b) => [b.id, b.value]));
    try {
      storage()?.setItem(kStored, JSON.stringify({ caselle, esercizio: exercise, collegamento: linkOpened }));
    } catch {
      // full or refused: nothing is kept
    }
  }

  function restore() {
    let kept = null;
    try {
      kept = JSON.parse(storage()?.getItem(kStored) ?? 'null');
    } catch {
      return;
    }
    if (typeof kept !== 'object' || kept === null) return;
    for (const b of [...boxes(), ...stepBoxes()])
      if (typeof kept.caselle?.[b.id] === 'string') b.value = kept.caselle[b.id];
    const e = kept.esercizio;
    exercise = typeof e?.codice === 'string' && typeof e.testo === 'string' && Array.isArray(e.caselle) ? e : null;
    linkOpened = typeof kept.collegamento === 'string' ? kept.collegamento : '';
    boxes().forEach(tellHowRead);
    showExercise();
  }

  function startPractice() {
    buildSteps();
    restore();
    if (location.hash.slice(1) !== linkOpened) openLink();
    boxes().forEach((b) => b.addEventListener('input', () => {
      forgetVerdicts();
      showExercise();
      store();
    }));
    $('verifica-passi').addEventListener('click', verifica);
    $('nuovo-esercizio').addEventListener('click', nuovoEsercizio);
    addEventListener('hashchange', openLink);
  }

  // ------------------------------------------------------------ start

  // The window's layout from the window's width, with the page's margins and
  // the window's border round it; the style sheet follows the class.
  function chooseLayout() {
    const frame = (name) => parseFloat(getComputedStyle(document.documentElement).getPropertyValue(name));
    windowWide = matchMedia(`(min-width: ${design.larghezza + 2 * (frame('--margine') + frame('--bordo'))}px)`);
    windowWide.addEventListener('change', phoneLayout);
    phoneLayout();
  }

  function start(module) {
    engine = module;
    design = answer(engine._rl_descrizione());
    chooseLayout();
    buildWindow();
    apply(design.avvio);
    $('command1').addEventListener('click', calcolo);
    $('command2').addEventListener('click', grafico);
    $('salva').addEventListener('click', salva);
    $('stampa').addEventListener('click', printSheet);
    $('apri-guida').addEventListener('click', showHelp);
    $('errore').addEventListener('close', errorClosed);
    $('tavola').addEventListener('click', toggleWholePlot);
    $('tavola').addEventListener('keydown', plotKey);
    addEventListener('keydown', keyPressed);
    addEventListener('beforeprint', buildSheet);
    // Read as it changes, so that no click waits for the layout.
    new ResizeObserver(([entry]) => {
      availableWidth = entry.contentRect.width;
      sizeChanged();
    }).observe($('finestra'));
    addEventListener('resize', () => {
      availableWidth = null; // read again now: the observer may come a frame later
      sizeChanged();
    });
    windowWide.addEventListener('change', placeNotices);
    placeNotices();
    boxes().forEach(describe);
    startPractice();
    $('guida-titolo').tabIndex = -1; // where the help opens
    $('caricamento').hidden = true;
    document.documentElement.dataset.stato = 'pronto'; // the window shows
    // The layout waits for the first frame: nothing here asks for it.
    $('text1').focus({ preventScroll: true });
    performance.mark('pronto');
  }

  function failed(error) {
    $('caricamento').textContent = `Impossibile avviare il calcolo: ${error}`;
    document.documentElement.dataset.stato = 'guasto';
  }

  // The engine with the WebAssembly that the page's start compiled.
  const instantiateWasm = (imports, receive) => {
    // eslint-disable-next-line no-undef
    motoreCompilato.then((module) => WebAssembly.instantiate(module, imports)
      .then((instance) => receive(instance, module))).catch(failed);
    return {};
  };
  // eslint-disable-next-line no-undef
  createRaggio({ instantiateWasm }).then(start, failed);
})();

'use strict';
// The page's face on the engine: builds the window from the engine's
// description, passes the boxes' text to the form's rules and does what
// they answer (report, message, pixels, what to say aloud).
(() => {
  const $ = (id) => document.getElementById(id);
  const encoder = new TextEncoder();
  const kPlot = 0; // the engine's pictures: the window's plot
  const kSheet = 1; // and the sheet's
  const kSheetRatio = 3; // the sheet's plot, sharp on paper
  let engine = null;
  let design = null; // the window's description
  let tick = 0;
  let running = false; // the plot's timer: enabled
  let resting = false; // and waiting for the picture to change
  let ratioQuery = null;
  let ratio = 1; // the picture's device pixels to the window's pixels
  let availableWidth = null; // the window's column, in CSS pixels, on a phone; null until laid out

  // A C string of the engine's, as text, and a JSON answer as an object.
  const text = (pointer) => engine.UTF8ToString(pointer);
  const answer = (pointer) => JSON.parse(text(pointer));
  const px = (n) => `${n}px`;
  const boxes = () => [...document.querySelectorAll('input.casella')];
  const windowWide = matchMedia('(min-width: 1020px)'); // one query, asked often
  const phoneLayout = () => !windowWide.matches;

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
  // offer only the locale's comma).
  function box(control, container) {
    const input = Object.assign(document.createElement('input'), {
      type: 'text', autocomplete: 'off', spellcheck: false, inputMode: 'text', enterKeyHint: 'next',
    });
    input.setAttribute('autocapitalize', 'off');
    container.querySelector('label').htmlFor = control.nome.toLowerCase();
    input.addEventListener('input', () => tellHowRead(input));
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
    window_.style.background = design.sfondo;
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

  // A box whose text is not read whole says so, by the box and below the
  // window, and is described by it.
  function tellHowRead(input) {
    const notice = withStrings([input.value], (t) => answer(engine._rl_avviso(t)));
    const byTheBox = $(`${input.id}-avviso`);
    if (byTheBox.textContent === notice) return;
    byTheBox.textContent = notice;
    if (notice) input.setAttribute('aria-describedby', byTheBox.id);
    else input.removeAttribute('aria-describedby');
    $('avvisi').replaceChildren(...boxes().filter((b) => $(`${b.id}-avviso`).textContent)
      .map((b) => Object.assign(document.createElement('li'), {
        textContent: `${b.labels[0].textContent.replace(/\s+/g, ' ')}: ${$(`${b.id}-avviso`).textContent}`,
      })));
  }

  // ------------------------------------------------------------ the rules' answers

  function announce(words) {
    const notice = $('avviso');
    notice.textContent = '';
    // A new node each time, so that the same words are said again.
    requestAnimationFrame(() => { notice.textContent = words; });
  }

  function showError(message) {
    const dialog = $('errore');
    $('errore-testo').textContent = message;
    if (!dialog.open) dialog.showModal();
    $('errore-ok').focus();
  }

  function setTimer(change) {
    if (change === 'resta') return;
    running = change !== 'ferma';
    resting = change === 'riposa';
    clearTimeout(tick);
    tick = 0;
    if (change === 'avvia') scheduleTick();
  }

  // Does what the form's rules answered, in their order.
  function apply(r) {
    setTimer(r.timer);
    const report = $('resoconto');
    if (r.pulisci) {
      report.hidden = true;
      report.textContent = '';
    }
    if (r.sfondo) $('finestra').style.background = r.sfondo;
    if (r.assi !== null) {
      $('tavola').hidden = !r.assi;
      $('salva').disabled = !r.assi;
    }
    if (r.grafico) $('sommario').textContent = r.sommario;
    if (r.resoconto !== null) {
      report.textContent = r.resoconto;
      report.hidden = false;
      $('stampa').disabled = false;
      if (phoneLayout()) report.scrollIntoView({ block: 'nearest' });
    }
    if (r.disegna) {
      draw();
      if (phoneLayout()) $('tavola').scrollIntoView({ block: 'nearest' });
    }
    if (r.annuncio) announce(r.annuncio);
    if (r.errore) showError(r.errore);
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
    else setTimer(text(engine._rl_timer()));
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
    boxes().forEach(tellHowRead);
    apply(answer(withStrings(boxes().map((b) => b.value), (t, s, q) => engine._rl_calcolo(t, s, q))));
  }

  function grafico() {
    fitPlot();
    apply(answer(engine._rl_grafico(ratio)));
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
    setTimer('avvia');
    draw();
  }

  function toggleWholePlot() {
    if (!phoneLayout()) return;
    $('tavola').classList.toggle('intera');
    sizeChanged();
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

  // The calculation sheet of the last completed "Calcolo", for the printer:
  // the page that `raggio-limite scheda` writes.
  function buildSheet() {
    const sheet = answer(engine._rl_scheda(kSheetRatio));
    const page = $('scheda');
    page.replaceChildren(element_('h1', 'Raggio limite – scheda di calcolo'));
    if (!sheet) {
      page.append(element_('p', 'Nessun calcolo da mettere nella scheda: premere prima «Calcolo».'));
      return;
    }
    page.append(element_('p', 'Nome: ______________________________   Classe: ________   Data: ______________'),
      element_('h2', 'Dati del calcolo'));
    const table = document.createElement('table');
    const header = table.insertRow();
    ['Casella', 'Testo immesso', 'Valore usato'].forEach((t) => header.append(element_('th', t)));
    for (const row of sheet.dati) {
      const cells = table.insertRow();
      [row.casella, `«${row.testo}»`, row.usato.trim()].forEach((t) => { cells.insertCell().textContent = t; });
    }
    page.append(table, element_('h2', 'Resoconto di «Calcolo»'), element_('pre', sheet.resoconto),
      element_('h2', 'Grafico'));
    const area = document.createElement('div');
    area.className = 'tavola-scheda';
    const drawing = document.createElement('div');
    drawing.className = 'disegno-scheda';
    drawing.style.width = px(design.larghezza);
    drawing.style.height = px(design.altezza);
    const canvas = document.createElement('canvas');
    copyPixels(canvas, kSheet);
    drawing.append(Object.assign(document.createElement('img'), { src: canvas.toDataURL(), alt: '' }));
    for (const caption of document.querySelectorAll('#disegno .didascalia')) {
      const copy = caption.cloneNode(true);
      copy.removeAttribute('id');
      copy.style.color = caption.style.getPropertyValue('--colore') || '#000';
      drawing.append(copy);
    }
    area.append(drawing);
    page.append(area);
  }

  function printSheet() {
    buildSheet();
    window.print();
  }

  function showHelp() {
    if (!$('guida').open) $('guida').showModal();
    $('guida-chiudi').focus();
  }

  function keyPressed(event) {
    if (event.key === 'F1') {
      event.preventDefault();
      showHelp();
    }
  }

  // ------------------------------------------------------------ start

  function start(module) {
    engine = module;
    design = answer(engine._rl_descrizione());
    buildWindow();
    $('command1').addEventListener('click', calcolo);
    $('command2').addEventListener('click', grafico);
    $('salva').addEventListener('click', salva);
    $('stampa').addEventListener('click', printSheet);
    $('apri-guida').addEventListener('click', showHelp);
    $('tavola').addEventListener('click', toggleWholePlot);
    $('tavola').addEventListener('keydown', plotKey);
    addEventListener('keydown', keyPressed);
    addEventListener('beforeprint', buildSheet);
    // Read as it changes, so that no click waits for the layout.
    new ResizeObserver(([entry]) => {
      availableWidth = entry.contentRect.width;
      sizeChanged();
    }).observe($('finestra'));
    addEventListener('resize', sizeChanged);
    $('caricamento').hidden = true;
    // The layout waits for the first frame: nothing here asks for it.
    $('text1').focus({ preventScroll: true });
    performance.mark('pronto');
    document.documentElement.dataset.stato = 'pronto';
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

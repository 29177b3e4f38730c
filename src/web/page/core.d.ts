// The one declared shape of what the WebAssembly core hands the page
// (src/web/bindings.cpp). Every page module is checked against it with
// `tsc --checkJs` (tests/web/types.test.mjs); nothing here ships.

/** How the focus came to a control: the closed set the core accepts. */
type Arrival = 'user' | 'pointer' | 'assistive' | 'activated' | 'box' | 'popup';
/** The two layouts: the closed set the core accepts. */
type LayoutName = 'window' | 'one-column';

interface Control {
  name: string;
  kind: 'Window' | 'Frame' | 'Label' | 'TextBox' | 'CommandButton' | 'OptionButton' | 'CheckBox';
  container: string;
  text: string;
  toolTip: string;
  left: number;
  top: number;
  width: number;
  height: number;
  fits: boolean;
  room?: number;
  role: 'Caption' | 'Heading' | 'Unit' | 'Result' | 'Note';
  tabIndex: number;
  nameSources: number[];
  /** What it is labelled by: the sources of a composed name; none otherwise. */
  labelledBy: number[];
  composedName: boolean;
  opensHelp: boolean;
  opensInsight: boolean;
  opensBestGear: boolean;
  clickOnSelectedIsClick: boolean;
  measuredForLayout: boolean;
}

interface ColumnPlace {
  readingOrder: number;
  columns: number;
  row: number;
  rows: number;
  column: number;
  toLastColumn: boolean;
  lead: number;
  namesRow: boolean;
  /** A frame whose columns share its width evenly. */
  evenColumns: boolean;
}

/** How a grid's cells run in one column: beside their row's name, under it, or two a line under it. */
type CellLines = 'beside' | 'under' | 'paired';

interface FieldState {
  text: string;
  visible: boolean;
  value: number;
}

interface WarningBox {
  prompt: string;
  title: string;
}

/** What follows an action or a dismissal. */
interface Outcome {
  box: WarningBox | null;
  pressRunning: boolean;
  announcement: string;
  opened: boolean;
}

interface Tick {
  value: number;
  text: string;
}

interface CapMark {
  rating: number;
  percent: number;
  text: string;
  below: boolean;
}

interface GainCurve {
  name: string;
  summary: string;
  /** On the light plot and on the dark one. */
  colour: string;
  darkColour: string;
  /** On, off, … in pixels; empty: solid. */
  dashes: Float64Array;
  ratings: Float64Array;
  percents: Float64Array;
  caps: CapMark[];
}

interface PixelBox {
  left: number;
  top: number;
  width: number;
  height: number;
}

interface TextPlace extends PixelBox {
  shown: boolean;
  /** No curve could miss it: drawn on a patch of the plot's colour. */
  onPatch: boolean;
  /** A line from it to its mark, from leaderFrom to leaderTo. */
  leader: boolean;
  leaderFrom: { x: number; y: number };
  leaderTo: { x: number; y: number };
}

/** The picture planned for the chart's room: its height, plot and where each word goes. */
interface ChartPlan {
  height: number;
  plot: PixelBox;
  capLabels: TextPlace[];
  ratingTicks: TextPlace[];
  percentTicks: TextPlace[];
  ratingAxis: PixelBox;
  percentAxis: PixelBox;
  markRadius: number;
}

interface Size {
  width: number;
  height: number;
}

/** The chart's words as the page measured them. */
interface ChartText {
  /** The size they are drawn at. */
  font: number;
  capLabels: Size[];
  ratingTicks: Size[];
  percentTicks: Size[];
  ratingAxis: Size;
  percentAxis: Size;
}

interface GainPicture {
  curves: GainCurve[];
  left: number;
  right: number;
  bottom: number;
  top: number;
  ratingTicks: Tick[];
  percentTicks: Tick[];
  ratingAxis: string;
  percentAxis: string;
  range: string;
  headroom: string[];
  /** Curves that run as one line over a stretch, said so. */
  coincide: string[];
  spoken: string;
  /** Why there are no curves though 计算 has run ('' when there are). */
  noComparison: string;
}

interface ExactChanges {
  basis: string;
  rows: string[];
  order: string;
}

interface Insight {
  changes: ExactChanges | null;
  /** Where the focus goes when the panel opens. */
  start: 'first-row' | 'chart' | 'caption';
  /** What the panel shows of its parts. */
  shown: { basis: string; order: boolean; chart: boolean; curvesNote: string; curveControls: boolean };
  picture: GainPicture | null;
  canNarrow: boolean;
  canWiden: boolean;
}

interface Calculator {
  fields(): FieldState[];
  type(field: number, text: string): Outcome;
  click(field: number): Outcome;
  focusArrived(field: number, how: Arrival): Outcome;
  dismissBox(): Outcome;
  openAddress(shared: string): Outcome;
  address(): string;
  insight(): Insight;
  /** The picture insight() last gave, planned for the chart's width, its text as measured and the height the
   * screen leaves it. */
  chartPlan(width: number, text: ChartText, tallest: number): ChartPlan;
  narrowCurves(): void;
  widenCurves(): void;
  insightRevision(): number;
  gearListAddress(): string;
  setGearListAddress(piece: string): void;
  searchBasis(): SearchBasis | null;
}

/** The panel of the last 计算, every number as the core holds it. */
interface SearchBasis {
  gains: string[];
  haste: number;
  sheet: number[];
  discipline: number;
  hasteMode: boolean;
}

/** The words of 最佳组合, from its own module. */
interface BestGearWords {
  caption: string;
  listName: string;
  rules: string;
  keys: string;
  read: string;
  write: string;
  start: string;
  stop: string;
  continue: string;
  textRules: string;
  gridName: string;
  add: string;
  remove: string;
  /** The fields' titles, in the order of the list's text. */
  titles: string[];
  /** The field shown as a box to tick. */
  wornColumn: number;
}

/** An item of the grid of cells: its fields as typed, what each is called. */
interface GearGridRow {
  cells: string[];
  names: string[];
  worn: boolean;
  removeName: string;
}

/** Where the grid puts the focus once its rows changed: a new item's 部位,
 * the 删除 of the item that took a removed one's place, or 添加一件. */
interface GearGridFocus {
  place: 'slot' | 'remove' | 'add';
  row: number;
}

/** What the panel of 最佳组合 shows. */
interface BestGearShown {
  list: string;
  status: string;
  rows: { line: string; nearBest: boolean }[];
  straightLine: string;
  canStart: boolean;
  canStop: boolean;
  canContinue: boolean;
}

/** 最佳组合's module, in the worker. */
interface BestGearCandidates {
  typeDraft(draft: string): void;
  draft(): string;
  readDraft(): WarningBox | null;
  writeDraft(): void;
  table(): GearGridRow[];
  typeCell(row: number, column: number, text: string): void;
  toggleWorn(row: number): void;
  addRow(): GearGridFocus;
  removeRow(row: number): GearGridFocus;
  addressPiece(): string;
  openAddress(piece: string): void;
  start(basis: SearchBasis | null): boolean;
  work(): boolean;
  stop(): void;
  resume(): void;
  shown(basis: SearchBasis | null): BestGearShown;
}

interface BestGearCore {
  words(): BestGearWords;
  BestGear: new () => BestGearCandidates;
}

declare function createBestGear(): Promise<BestGearCore>;
declare function importScripts(...urls: string[]): void;

interface HelpLine {
  text: string;
  glyphs: { text: string; column: number; span: number }[];
  tabular: boolean;
}

interface HelpSection {
  name: string;
  button: string;
  announcement: string;
  buttonLeft: number;
  tabOrder: number;
  lines: HelpLine[];
}

interface VelmoraCore {
  controls(): Control[];
  oneColumnPlaces(cells: CellLines): ColumnPlace[];
  /** The cells' way for the grid's width, its widest row name, the gap between its columns and the width a
   * cell needs for widestCellText(). */
  chooseCellLines(gridWidth: number, widestName: number, gap: number, needs: number): CellLines;
  widestCellText(): string;
  tabChain(layout: LayoutName): number[];
  needsMoreRoom(field: number, caption: string, width: number, height: number, roomWidth: number,
    roomHeight: number): boolean;
  fitsItsRoom(needs: number, room: number): boolean;
  chooseLayout(screenWidth: number, windowWidth: number, touch: boolean, aCaptionNeedsMoreRoom: boolean): LayoutName;
  helpWindow(): {
    caption: string; width: number; height: number; buttonTop: number; buttonWidth: number;
    buttonHeight: number; columnWidth: number; lineHeight: number; firstFocus: number;
  };
  helpSections(): HelpSection[];
  showCaption(caption: string, fits: (text: string) => boolean): { text: string; whole: string };
  staysOnOneLine(label: number, caption: string, layout: LayoutName): boolean;
  enterPresses(field: number, withModifiers: boolean): number;
  caretAfterKeeping(typed: string, caret: number): number;
  selectsTextOnEntry(how: Arrival, touch: boolean): boolean;
  helpOpening(stillOpen: boolean): 'fresh' | 'to-the-front';
  startFocus(): { field: number; selectsText: boolean };
  insightWords(): {
    caption: string; exactHeading: string; noExact: string; curvesHeading: string; noCurves: string;
    wider: string; narrower: string;
  };
  pageWords(): { warningSign: string; warningButton: string; helpBlocked: string };
  Calculator: { new (): Calculator };
}

/** The module's factory, loaded by app.js before the page's modules run. */
declare function createVelmora(): Promise<VelmoraCore>;

// Figures of the two controls that redraw on every refresh tick: a full refill of the sorted report
// list with 256 rows (as the computer list is refilled), a sort with the dialog's own comparison and
// a paint, beside the platform's list-view alone; and a paint of the scrolling graph holding 1000
// points in each of two series; and the row-record list's refill of 256 rows with a record each.
// Run by hand (scripts/wine-run): it prints its figures and asserts nothing.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "controls/list_ctrl_ex.h"
#include "controls/list_ctrl_ex2.h"
#include "controls/push_graph.h"
#include "framework/framework.h"

namespace {

constexpr int kRows = 256;
constexpr int kColumns = 5;
constexpr int kGraphPoints = 1000;

class Stopwatch {
 public:
  Stopwatch() { ::QueryPerformanceFrequency(&frequency_); }
  // Milliseconds per run of the work, over the given number of runs.
  double Milliseconds(int runs, const std::function<void()>& work) {
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < runs; ++i) work();
    ::QueryPerformanceCounter(&end);
    return 1e3 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency_.QuadPart / runs;
  }

 private:
  LARGE_INTEGER frequency_;
};

void DispatchQueued() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

class Host : public CWnd {};

// One row as the pages hang it on the list: its column texts, compared as UTF-16 code units.
struct RowKey {
  std::wstring columns[kColumns];
};

int CALLBACK CompareByColumn(LPARAM a, LPARAM b, LPARAM sortKey) {
  const int column = static_cast<int>(sortKey > 0 ? sortKey : -sortKey) - 1;
  const int order = std::wcscmp(reinterpret_cast<const RowKey*>(a)->columns[column].c_str(),
                                reinterpret_cast<const RowKey*>(b)->columns[column].c_str());
  return sortKey > 0 ? order : -order;
}

std::vector<RowKey> MakeRows() {
  std::vector<RowKey> rows(kRows);
  for (int r = 0; r < kRows; ++r) {
    const int host = (r * 97) % kRows;  // not in address order, so every sort moves rows
    wchar_t text[64];
    std::swprintf(text, 64, L"COMPUTER-%03d", (host * 31) % kRows);
    rows[r].columns[0] = text;
    std::swprintf(text, 64, L"192.168.77.%d", host);
    rows[r].columns[1] = text;
    std::swprintf(text, 64, L"00-1A-2B-%02X-%02X-%02X", host, (host * 7) & 0xFF, (host * 13) & 0xFF);
    rows[r].columns[2] = text;
    rows[r].columns[3] = host % 3 ? L"Windows 7" : L"Windows XP";
    rows[r].columns[4] = host % 4 ? L"Online" : L"Offline";
  }
  return rows;
}

void Refill(CListCtrl& list, std::vector<RowKey>& rows) {
  list.DeleteAllItems();
  for (int r = 0; r < kRows; ++r) {
    list.InsertItem(r, rows[r].columns[0].c_str());
    for (int c = 1; c < kColumns; ++c) list.SetItemText(r, c, rows[r].columns[c].c_str());
    list.SetItemData(r, reinterpret_cast<DWORD_PTR>(&rows[r]));
  }
}

// The same refill with the list's drawing held back until the rows are in (WM_SETREDRAW).
void RefillHeld(CListCtrl& list, std::vector<RowKey>& rows) {
  list.SendMessage(WM_SETREDRAW, FALSE);
  Refill(list, rows);
  list.SendMessage(WM_SETREDRAW, TRUE);
  list.Invalidate(true);
}

void PaintNow(CWnd& window) {
  window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void SetUpColumns(CListCtrl& list) {
  list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  const wchar_t* headings[kColumns] = {L"Name", L"IP", L"MAC", L"OS", L"State"};
  for (int c = 0; c < kColumns; ++c) list.InsertColumn(c, headings[c], LVCFMT_LEFT, 115);
}

// One line of figures for a list: the platform's list-view alone, or joined to the sort engine.
void MeasureList(CListCtrl& list, const char* name, Stopwatch& watch) {
  std::vector<RowKey> rows = MakeRows();
  DispatchQueued();
  const int runs = 10;
  const double refill = watch.Milliseconds(runs, [&] { Refill(list, rows); });
  const double held = watch.Milliseconds(runs, [&] {
    RefillHeld(list, rows);
    PaintNow(list);
  });
  // The sort keys step like header clicks: every column, ascending then descending.
  int step = 0;
  const double sort = watch.Milliseconds(4 * runs, [&] {
    const int column = (step / 2) % kColumns;
    const LPARAM key = step % 2 ? -(column + 1) : column + 1;
    list.SortItems(CompareByColumn, static_cast<DWORD_PTR>(key));
    ++step;
  });
  const double paint = watch.Milliseconds(4 * runs, [&] { PaintNow(list); });
  std::printf("%-12s %12.3f %16.3f %10.3f %10.3f\n", name, refill, held, sort, paint);
}

void MeasureLists(Host& host, Stopwatch& watch) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS;
  std::printf("Report lists, %d rows x %d columns, 600 x 400 pixels, visible; ms per run\n", kRows, kColumns);
  std::printf("%-12s %12s %16s %10s %10s\n", "list", "refill", "held refill+paint", "sort", "paint");
  {
    CListCtrl plain;
    if (!plain.Create(style, CRect(0, 0, 600, 400), &host, 1021)) {
      std::printf("the list window could not be made\n");
      return;
    }
    SetUpColumns(plain);
    MeasureList(plain, "list-view", watch);
    plain.DestroyWindow();
  }
  CListCtrlEx list;
  if (!list.Create(style, CRect(0, 0, 600, 400), &host, 1020)) {
    std::printf("the list window could not be made\n");
    return;
  }
  SetUpColumns(list);
  list.ColorSortColumn(true);
  list.InitSortArrows();
  MeasureList(list, "CListCtrlEx", watch);
  std::printf("(CListCtrlEx: %s header arrows, tint %s)\n", CListBase::ThemedArrows() ? "themed" : "image-list",
              list.IsTinted() ? "on" : "off");
  list.DestroyWindow();
}

// The Status and Routing pages' refill: records freed, rows deleted, each row inserted and given
// its record, then every row's value read back once (as a page's refresh reads its rows).
void MeasureRecordList(Host& host, Stopwatch& watch) {
  CListCtrlEx2 list;
  if (!list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(0, 0, 600, 400), &host, 1022)) {
    std::printf("the list window could not be made\n");
    return;
  }
  SetUpColumns(list);
  std::vector<RowKey> rows = MakeRows();
  unsigned long long sum = 0;
  auto refill = [&] {
    list.SendMessage(WM_SETREDRAW, FALSE);
    list.DeleteAllItemData();
    list.DeleteAllItems();
    for (int r = 0; r < kRows; ++r) {
      list.InsertItem(r, rows[r].columns[0].c_str());
      list.SetItemData(r, static_cast<unsigned long long>(r));
    }
    for (int r = 0; r < kRows; ++r) sum += list.GetItemValue(r);
    list.SendMessage(WM_SETREDRAW, TRUE);
  };
  DispatchQueued();
  const double ms = watch.Milliseconds(20, refill);
  std::printf("CListCtrlEx2, %d rows with a record each: refill and read back %8.3f ms (%zu records)\n", kRows, ms,
              list.RecordCount());
  list.DestroyWindow();
}

void MeasureGraph(Host& host, Stopwatch& watch) {
  // With a line interval of 1 the plot counts its width + 2 points and keeps one fewer: 1000.
  const int width = kGraphPoints - 1;
  ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, width, 120, host, reinterpret_cast<HMENU>(1011),
                    ::GetModuleHandleW(nullptr), nullptr);
  C2DPushGraph graph;
  if (!graph.ReplaceStatic(1011, &host)) {
    std::printf("the graph window could not be made\n");
    return;
  }
  graph.showGrid = true;
  graph.SetLineInterval(1);
  graph.SetGridSize(10);
  graph.SetMaximum(1000);
  graph.AddSeries(0, RGB(255, 255, 0));
  graph.AddSeries(1, RGB(255, 0, 0));
  int value = 0;
  auto push = [&] {
    graph.PushValue(value % 1000, 0);
    graph.PushValue((value * 7) % 1000, 1);
    value += 37;
  };
  for (int i = 0; i < 2 * kGraphPoints; ++i) push();
  graph.Advance();
  DispatchQueued();

  const int runs = 200;
  const double paint = watch.Milliseconds(runs, [&] {
    graph.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  });
  const double advance = watch.Milliseconds(runs, [&] {
    push();
    graph.Advance();
  });
  std::printf("C2DPushGraph, %d x %d pixels, grid on, 2 series of %zu points:\n", width, 120,
              graph.Model().Series()[0].Values().size());
  std::printf("  paint (off-screen grid and series, one copy):   %8.3f ms\n", paint);
  std::printf("  push one value per series and advance:          %8.3f ms\n", advance);
  graph.DestroyWindow();
}

}  // namespace

int wmain() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  Host host;
  // Without a display the windows come out empty and every figure would be meaningless.
  if (!host.CreateEx(0, DefaultChildWindowClass(), L"Controls benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                     CRect(20, 20, 1060, 460), nullptr, 0)) {
    std::printf("the host window could not be made; is there a display?\n");
    return 1;
  }
  Stopwatch watch;
  MeasureLists(host, watch);
  MeasureRecordList(host, watch);
  MeasureGraph(host, watch);
  host.DestroyWindow();
  return 0;
}

 ┌────────────────────────────────────────────────────────────────────────────┐
 │@center(Исходящая очередь · Ausgehende Warteschlange, 76)│
 │@center(@address — @date(dd.mm.yyyy) @time(hh:nn), 76)│
 └────────────────────────────────────────────────────────────────────────────┘

 @just(Узел · Knoten, 18, L) @just(Флаги, 6, R) @just(Нетмейл, 8, R) @just(Эхопочта, 8, R) @just(Dateien, 8, R) @just(Größe, 8, R) @just(Ожидание, 11, R) @just(Tage, 4, R)
 ────────────────── ────── ──────── ──────── ──────── ──────── ─────────── ────
@foreach(@queue)
 @just(@node, 18, L) @pflags @just(@sizetolimitstr(@mailsize(N), 8), 8, R) @just(@sizetolimitstr(@mailsize(E), 8), 8, R) @just(@sizetolimitstr(@mailsize(F), 8), 8, R) @just(@sizetolimitstr(@mailsize(NEF), 8), 8, R) @cdaytime(7, ») @just(@fdays(14, •), 4, R)
@nextnode
@end
 ────────────────── ────── ──────── ──────── ──────── ──────── ─────────── ────
 @just(@queue узлов · Knoten, 18, L)        @just(@sizetolimitstr(@mailsize(TN), 8), 8, R) @just(@sizetolimitstr(@mailsize(TE), 8), 8, R) @just(@sizetolimitstr(@mailsize(TF), 8), 8, R) @just(@sizetolimitstr(@mailsize(TNEF), 8), 8, R)
 » ждёт 7 дней и дольше, wartet 7 Tage oder länger
 • больше 14 дней, über 14 Tage

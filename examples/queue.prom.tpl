@cr(off)
@lf_to_cr(off)
@lf(on)
# HELP zeb_queue_links Links with something waiting in the outbound.
# TYPE zeb_queue_links gauge
zeb_queue_links @queue
# HELP zeb_queue_bytes Bytes waiting in the outbound, by kind.
# TYPE zeb_queue_bytes gauge
zeb_queue_bytes{kind="netmail"} @mailsize(TN)
zeb_queue_bytes{kind="echomail"} @mailsize(TE)
zeb_queue_bytes{kind="files"} @mailsize(TF)
# HELP zeb_queue_items Netmail packets, echomail bundles and files waiting in the outbound.
# TYPE zeb_queue_items gauge
zeb_queue_items{kind="netmail"} @files(TN)
zeb_queue_items{kind="echomail"} @files(TE)
zeb_queue_items{kind="files"} @files(TF)
# HELP zeb_scan_errors Directories that could not be read: the queue shown misses what they hold.
# TYPE zeb_scan_errors gauge
zeb_scan_errors @scanerrors
# HELP zeb_stray_files Files in the outbound that no mailer sends: loose packets, bundles, unknown names.
# TYPE zeb_stray_files gauge
zeb_stray_files @strays
# HELP zeb_link_bytes Bytes waiting for a link, by kind.
# TYPE zeb_link_bytes gauge
@foreach(@queue)
zeb_link_bytes{link="@node",kind="netmail"} @mailsize(N)
zeb_link_bytes{link="@node",kind="echomail"} @mailsize(E)
zeb_link_bytes{link="@node",kind="files"} @mailsize(F)
@nextnode
@end
# HELP zeb_link_items Netmail packets, echomail bundles and files waiting for a link.
# TYPE zeb_link_items gauge
@define(@links, @prepare(*:*/*.*))
@foreach(@links)
zeb_link_items{link="@node",kind="netmail"} @files(N)
zeb_link_items{link="@node",kind="echomail"} @files(E)
zeb_link_items{link="@node",kind="files"} @files(F)
@nextnode
@end
@if(0)
The age comes as "X  ddd-hh:mm": the mark X, the days right-aligned in
four columns (blank under one day), hours and minutes. It is read digit by
digit and counted in seconds, to the minute.
@end
# HELP zeb_link_oldest_seconds Age of the oldest item waiting for a link, to the minute.
# TYPE zeb_link_oldest_seconds gauge
@define(@links, @prepare(*:*/*.*))
@foreach(@links)
@define(@age, @cdaytime(0, X))
@define(@seconds, 0)
@for(@column, 2, 5)
@mul(@seconds, 10)
@add(@seconds, @just(@just(@age, @column, L), 1, R))
@end
@mul(@seconds, 24)
@add(@seconds, @just(@just(@age, 5, R), 2, L))
@mul(@seconds, 60)
@add(@seconds, @just(@age, 2, R))
@mul(@seconds, 60)
zeb_link_oldest_seconds{link="@node"} @seconds
@nextnode
@end
# HELP zeb_link_flags Flavours and flags of a link (b busy, I C D N H flavours, R file request), as in @@flags.
# TYPE zeb_link_flags gauge
@define(@links, @prepare(*:*/*.*))
@foreach(@links)
zeb_link_flags{link="@node",flags="@flags"} 1
@nextnode
@end

@cr(off)
@lf_to_cr(off)
@lf(on)
# HELP zeb_report_timestamp_seconds When the report was made, in seconds since 1970 (UTC).
# TYPE zeb_report_timestamp_seconds gauge
zeb_report_timestamp_seconds @unixtime
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
@define(@links, @prepare(*))
@foreach(@links)
zeb_link_items{link="@node",kind="netmail"} @files(N)
zeb_link_items{link="@node",kind="echomail"} @files(E)
zeb_link_items{link="@node",kind="files"} @files(F)
@nextnode
@end
# HELP zeb_link_oldest_seconds Age of the oldest item waiting for a link.
# TYPE zeb_link_oldest_seconds gauge
@define(@links, @prepare(*))
@foreach(@links)
@define(@waited, @age(NEFR))
@if(@waited, <>, )
zeb_link_oldest_seconds{link="@node"} @waited
@end
@nextnode
@end
# HELP zeb_link_flag Flags of a link: busy, call flag, and the flavours waiting (1 when set).
# TYPE zeb_link_flag gauge
@define(@none, @char(250)@char(250)@char(250))
@define(@links, @prepare(*))
@foreach(@links)
@define(@x, @extflags)
@define(@v, 0)@if(@just(@just(@x, 2, L), 1, R), =, b)@define(@v, 1)@end
zeb_link_flag{link="@node",flag="busy"} @v
@define(@v, 0)@if(@just(@just(@x, 1, L), 1, R), =, c)@define(@v, 1)@end
zeb_link_flag{link="@node",flag="call"} @v
@define(@v, 0)@if(@just(@just(@x, 6, L), 3, R), <>, @none)@define(@v, 1)@end
zeb_link_flag{link="@node",flag="immediate"} @v
@define(@v, 0)@if(@just(@just(@x, 9, L), 3, R), <>, @none)@define(@v, 1)@end
zeb_link_flag{link="@node",flag="crash"} @v
@define(@v, 0)@if(@just(@just(@x, 12, L), 3, R), <>, @none)@define(@v, 1)@end
zeb_link_flag{link="@node",flag="direct"} @v
@define(@v, 0)@if(@just(@just(@x, 15, L), 3, R), <>, @none)@define(@v, 1)@end
zeb_link_flag{link="@node",flag="normal"} @v
@define(@v, 0)@if(@just(@just(@x, 18, L), 3, R), <>, @none)@define(@v, 1)@end
zeb_link_flag{link="@node",flag="hold"} @v
@define(@v, 0)@if(@just(@just(@x, 21, L), 3, R), <>, @none)@define(@v, 1)@end
zeb_link_flag{link="@node",flag="request"} @v
@nextnode
@end

@define(@days, 2)
@define(@late, 0)
Netmail waiting more than @days days at 2:5020/9999, @date(dd mmm yyyy) @time(hh:nn)

@foreach(@prepare(*:*/*.*,!2:5020/9999.*))
@if(@mailsize(N), >, 0)
@if(@fdays(@days, !), =, " !")
@add(@late, 1)
 @just(@node, 18, L) @just(@sizetostr(@mailsize(N)), 10, R) bytes in @files(N) packet(s) since @fromday
@end
@end
@nextnode
@end
@if(@late, =, 0)
@discard
@end

 @late link(s): please check the connections.

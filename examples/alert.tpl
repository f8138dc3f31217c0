@define(@days, 1)
@define(@limit, @days)
@mul(@limit, 86400)
@define(@late, 0)
Netmail waiting more than @days days at @address, @date(dd mmm yyyy) @time(hh:nn)

@foreach(@prepare(*,!@address.*))
@define(@waited, @age(N))
@if(@waited, >, @limit)
@add(@late, 1)
@div(@waited, 86400)
 @just(@node, 18, L) @just(@sizetostr(@mailsize(N)), 10, R) bytes in @files(N) packet(s), @waited day(s)
@end
@nextnode
@end
@if(@late, =, 0)
@discard
@end

 @late link(s): please check the connections.

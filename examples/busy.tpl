@define(@busy, 0)
@define(@held, 0)
Busy and held links of @address at @time(hh:nn)

@foreach(@queue)
@define(@f, """@flags""")
@define(@f, """@just(@f, 7, L)""")
@if(@code(@f), =, 98)
@add(@busy, 1)
 busy  @just(@node, 18, L) @pflags  waiting @cdaytime(1, !)
@end
@if(@just(@f, 1, R), =, H)
@add(@held, 1)
 hold  @just(@node, 18, L) @just(@sizetostr(@mailsize(NEF)), 10, R) bytes since @fromday
@end
@nextnode
@end

 @busy busy and @held on hold of @queue links

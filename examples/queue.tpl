@about
 Outbound queue of @address on @date(dd mmm yyyy) at @time(hh:nn)

 Address            Flags  Netmail Echomail    Files   Waiting     Days      %
 ------------------ ------ ------- -------- -------- ----------- ---- ------
@foreach(@queue)
 @just(@node, 18, L) @pflags @just(@sizetolimitstr(@mailsize(N), 7), 7, R) @just(@sizetolimitstr(@mailsize(E), 8), 8, R) @just(@sizetolimitstr(@mailsize(F), 8), 8, R) @cdaytime(7, !) @fdays(14, *)   @percent
@if(x@holduntil(dd mmm yyyy hh:nn), <>, x)
                    held by binkd until @holduntil(dd mmm yyyy hh:nn)
@end
@if(x@trycount, <>, x)
                    calls good/failed @trycount, last error: @trytext
@end
@nextnode
@end
 ------------------ ------ ------- -------- -------- ----------- ---- ------
 @just(@queue, 3, R) links          @just(@sizetolimitstr(@mailsize(TN), 7), 7, R) @just(@sizetolimitstr(@mailsize(TE), 8), 8, R) @just(@sizetolimitstr(@mailsize(TF), 8), 8, R)
 @files(TNEF) files of @sizetostr(@mailsize(TNEF)) bytes; ! waiting 7 days or more, * more than 14 days
@if(@scanerrors@strays, <>, 00)
 Warning: @scanerrors directories could not be read, @strays files lie where no mailer sends them (see the log)
@end
@about

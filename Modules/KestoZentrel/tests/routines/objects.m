OBJECTS ; object references, member chains and code blocks
 S X=obj.Name,obj.Name="x",X=obj.Method(1).Next.Other()
 S X=##class(Sample.Person).%New(),Y=##class(Sample.Person).Count(1)
 D obj.Save(),##class(Sample.Person).Purge(),..Method(1),..Other()
 S X=..Property+..#PARAM+..Method(2)
 S X=_Form!Control.Property(1)
 D $ZU(68,40,1),$ZOBJMETHOD(obj,"Save")
 F obj.Count=1:1:5 W obj.Count
 R obj.Value:5
 S X=$CASE(Y,1:"one",2:"two",:"other")
 D $CASE(Y,1:LBL,2:LBL^RTN,:^RTN)
 G $CASE(Y,1:LBL,:SUB)
 if X=1 {
  w "one"
 } elseif X=2 {
  w "two"
 } else {
  w "other"
 }
 for i=1:1:3 {
  s X=X+i
 }
 while X>1 {
  s X=X-1
 }
 do {
  s X=X+1
 } while X<5
 q
Body(a,b=2) public {
 q a+b
}
Private(x) private {
 if x { q 1 }
 q 0
}

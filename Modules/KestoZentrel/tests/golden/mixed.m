MIXED ; macro routine constructs, faults and their recovery
#define X(a,b) a+b
#def1arg Y(a) a
#ifdef DEBUG ; only then
#define Z 1 ##continue
  +2
#endif
#;a preprocessor comment
#import A,B,C
 S X=A&B,Y=A&(B&C) W $$$M(.x),!
 $$$M(a,,b)
 ##function($$F^R(1))
 S X=##class(Sample.Person).%New(),Y=..Property+..#PARAM
 &sql(SELECT Name INTO :n FROM Sample.Person WHERE ID=:id)
 &html<<b>bold</b>>
 S x=a&sql(1)
TAG . S X=1
Q2 ..Q
 D X(1).M(),X(1).M(2):A,obj.Save()
Foo(a,b) PUBLIC {
 if a {
  w "one" /* a block
  comment that runs on */ w "two"
 } elseif b {
  S x=1 // rest
 } else {
  for i=1:1:3 { S x=i }
 }
 do {
  S x=x-1
 } while x>0
 }
 S X=1W Y
 S X="unterminated
 S X=(1 W 2
 W 1  W 2 W3
 SS X=1
 S X=$BITLOGIC(a&b+|c),Y=a&&b!(c||d)
 ##foo
 }
;x
	S X=1	W X
 K (A,B) N $ETRAP,$ZTRAP TSTART *:SERIAL ZBREAK /TRACE:ON
 L +^G(1):5 O "f":(new):0 U "f" C "f"
 Q

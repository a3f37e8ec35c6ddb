LOOK ; tokens looked at under one set of flags and taken under another
 S p.q=1,X=A.B,Y=..P W p.q,!
 D X.M(),..M() S X=$this.Y
 W *65,#,?10,!,$X
 S X=123 Q
 I X?1N.N,Y?.E1"x" S Z=1E3
 S X=1  W X
 Q:X  S Y=1
 S X=$BITLOGIC(A+&B),Y=A+B,Z=A+|B
 &sql(SELECT a INTO :b FROM t WHERE c=:d)
 S X=##class(A.B).M(1),Y=##class(%Library.X).New()
 S a_b=1,X=_Y,Z="a"_B
 S %a=1 D %x^R,LBL^%R
 S X=i%Prop,Y=r%Obj
TAG . S X=1
 . . K A,B N C S C=$O(^G("a",""))
 Q
 I X
 Q:X
 F I=1:1:10 S A(I)=$G(B(I),0)_"x" ; count
 S X=A&B,Y=A&&B,Z=A||B
 S X=$$F^R(@Z@(1)),@Y=2,$P(X,",",2)=3
 W:X>1 "a" E  W "b"
 D X(1).M() S ^G(1,2)=X

FAULTS ; plain routine: grammar faults, recovery and long lines
 S X=A&B,Y=A&(B&C)
TAG . S X=1
Q2 ..Q
LBL(a,b) . . S X=a_b Q X
 D X(1).M(),X(1).M(2):A
 S X=1W Y
 S X="unterminated
 S X=(1 W 2
 W 1  W 2 W3
 SS X=1
 &sql(x)
#define X 1
 $$$M
 S X=$P(A,",",2),Y=X+1*3 W !,"Total: ",Y
 I X?1N.N D LBL^RTN(X,.Y) Q:Y=""  S ^G("a",X)=$$F^R(@Z@(1))
 F I=1:1:10 S A(I)=$G(B(I),0)_"x" ; count
 . . K A,B N C S C=$O(^G("a",""))
 S X=$ZU(68,40,1),Y=$ZOBJVAL(o,1),Z=$ZV,^||ppg(1)=2,^["ns"]G=1,^|"ns"|G=2
 S X='A,Y=-B,Z=+C,W=--D,V=A'=B,U=A']]B,T=A]]=B,S=A'?1N,R=A?@P
 W:X>1 !,?5,"x",#,/CUP(1,2),*7
 R X:5,Y#3:2,*Z
 J LBL^RTN(1):(::5):10
 X "S Y=1":X>1
 V 1:2::4
 M ^A(1)=^B(2)
 ZB LABEL^RTN:::5
 ZB -LABEL^RTN#3
 ZW X ZN "USER" ZL RTN ZS RTN
 G:X LBL^RTN Q
20 Q
3abc Q
 ;last

COMMANDS ; every command of the plain routine grammar
 ; arguments, postconditionals and argumentless forms
START(A,B=1,C="x",D...) ; formal parameters with defaults
 N X,Y,(Z,W),$ETRAP,$ES,$ZR N  N:A>1 T
 S X=1,Y=X+2*3,(A,B)=$P("a,b",",",2),$E(Y,1,2)="ab",$X=0,@X=1,@Y@(1)=2
 S X(1,"a")=$G(X(1)),^G(1)=1,^|"NS"|G(2)=2,^["NS","DIR"]G(3)=3,^(4)=4
 K X,^G,@Y K (A,B) K  K:X=1 Y
 M X=^G(1),^H=X
 I X=1 W "one" E  W "other"
 I  W "test" E  Q
 I X,@Y W 1
 F I=1:1:10 S X=X+I Q:X>20
 F I=1,2,3:1:5 W I
 F  S X=$O(A(X)) Q:X=""  D SUB(X)
 D SUB(.X,1),^RTN,LBL^RTN(1):X,@X,@X^RTN,LBL+2,SUB:X>1
 D  Q
 . W "dot block"
 . . W "nested"
 G SUB:X=1,^RTN,@X
 J LBL^RTN(1):(:5):10,^RTN
 H 1 H:X 5
 X "W 1","S X=2":X
 L +^A(1):5 L -(A,^B) L  L ^C L:X +@X:1
 TS *:SERIAL TS (A,B):(T="x",S) TS ():TRANSACTIONID="y" TS
 TC  TRE:X  TRO
 V 1:2::4
 B  B:X 1
 P  P L^R
 Q
SUB(P) ; a subroutine
 Q:P=1 P+1
 Q P

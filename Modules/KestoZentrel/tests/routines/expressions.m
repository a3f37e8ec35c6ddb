EXPRESSIONS ; operators, literals, functions and special variables
 S X=1+2*3-4/5\6#7**2,Y="a"_"b"_1.5E-3_.5_+1_-2.25_1E5
 S Z=X=1&(Y<2)!(Y>3)'=4'<5'>6,Z=X[Y]Z]]Y]]=Z'[Y']Z']]X']]=Y'&X'!Y
 S Z='X,Z=-X,Z=+X,Z=--X,Z=''X
 I X?1N.N,X'?1"a".E,X?1(1A,1N).3AN,X?.3U1P,X?3N1"-"4N,X?@Y W 1
 S X=$A(Y)+$A(Y,1)+$L(Y)+$L(Y,",")+$F(Y,"a")+$F(Y,"a",2)+$C(65,66)
 S X=$E(Y)_$E(Y,1,2)_$P(Y,",")_$P(Y,",",1,2)_$J(X,5)_$J(X,5,2)_$FN(X,"P",2)
 S X=$D(A)+$D(^G(1))+$O(A(""))+$O(A(X),-1)+$Q(A)+$NA(A(1))+$QL(X)+$QS(X,1)
 S X=$G(A(1))_$G(A(2),"d")_$S(X=1:"a",1:"b")_$T(SUB)_$T(+1^RTN)_$T(^RTN)
 S X=$TR(Y,"ab","AB")_$R(10)_$RE(Y)_$ST(1)_$ST(1,"PLACE")_$V(1)
 S X=$LB(1,,3)_$LI(X,1)_$LG(X,2,"d")_$LL(X)_$LF(X,1)_$LD(X,1)_$LB()
 S X=$I(A(1))+$I(^G,2)+$ISVALIDNUM(X)+$NUM(X,".")+$N(A(1))
 S X=$ZD(H)_$ZD(H,3)_$ZDATE(H,,,,5)_$ZDH(X)_$ZDT(H,3,1)_$ZT(T)_$ZTH(T,,)_$ZH(X)
 S X=$ZCVT(Y,"U")_$ZSTRIP(Y,"<>W")_$ZU(5)_$ZF(-1,"ls")_$ZBITSTR(8)_$ZBITGET(X,1)
 S X=$BIT(X,1)+$BITCOUNT(X)+$BITFIND(X,1)+$BITLOGIC(A&B|~C)+$BITLOGIC(A&B+|C,8)
 S X=$ZZMINE(1,.X)+$$F^R(1,.Y,.@Z)+$$^RTN+$$LBL+$$LBL(1)
 S X=$H_$ZH_$J_$I_$IO_$P_$T_$TL_$TR_$X_$Y_$ZA_$ZB_$ZE_$ZT_$ZV_$ZPOS_$ZPI_$ZZUSERVAR
 S X=$EC_$ES_$ET_$K_$Q_$S_$ST_$SYSTEM_$D_$ZC_$ZEOF_$ZR_$ZS_$ZTS_$ZTZ_$ZN_$ZNSPACE
 S X=^$ROUTINE("X")_^$R("Y")_^$GLOBAL("^G")_^$J(1)_^$LOCK("^X")_^$|"NS"|G("^G")
 S X=@Y+@Y@(1)+@(Y_"(1)")
 S X=$ZOBJVAL(O,1)+$ZOBJVAL(O,1,2)+$ZOBJMOD(O,1)+$ZOBJCLASS()+$ZOBJPROPERTY(,X)
 Q

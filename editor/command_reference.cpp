#include "editor/command_reference.h"

namespace kav::editor {

namespace {

constexpr ReferenceEntry kGraphics[] = {
    {"Box(scr,XL,YT,XR,YB,OC,IC) ;", "四角形を描画する"},
    {"RBox(scr,XL,YT,XR,YB,RX,RY,OC,IC) ;", "角の丸い四角形を描画する"},
    {"FBox(scr,X1,Y1,X2,Y2,X3,Y3,X4,Y4,OC,IC) ;", "４つの点を結ぶ四角形を描画する"},
    {"FullPaint(scr,C) ;", "画面全体を１色で塗りつぶす"},
    {"Triangle(scr,X1,Y1,X2,Y2,X3,Y3,OC,IC) ;", "三角形を描画する"},
    {"Circle(scr,XL,YT,XR,YB,OC,IC) ;", "四角形に内接する円（楕円）を描画する"},
    {"Line(scr,X1,Y1,X2,Y2,C) ;", "直線を描画する"},
    {"Point(scr,X,Y,C) ;", "点を描画する"},
    {"ClipBMP(scr,XL,YT,W,H) ;", "画面上の絵をクリップボードへコピーする"},
    {"CopyBMP(scr,X1,Y1,W1,H1,scr,X2,Y2,W2,H2,mode) ;", "画面上の絵を別の場所へコピー（拡大・縮小）する"},
    {"ShiftBMPColor(scr,X1,Y1,W,H,Scr,X2,Y2,Percent) ;", "画面上の絵の明るさを変えてコピーする"},
    {"GrayBMPColor(scr,X,Y,W,H,(level)) ;", "画面上の絵をモノクロ加工する（levelは無意味）"},
    {"BinariBMPColor(scr,X,Y,W,H,r,g,b) ;", "画面上の絵を色ごとに２値化する"},
    {"RotateBMP(scr,X,Y,R,th) ;", "画面上の絵を回転する"},
    {"LoadBMP(scr,X,Y,\"Name.BMP\") ;", "ＢＭＰファイルを読み込んで表示する"},
    {"LoadBMPDlg(scr,X,Y) ;", "ダイアログで選んだＢＭＰファイルを表示する"},
    {"SaveBMP(scr,X,Y,W,H,\"Name.BMP\") ;", "画面上の絵をＢＭＰファイルに保存する"},
    {"SaveBMPDlg(scr,X,Y,W,H) ;", "画面上の絵をダイアログで選んだＢＭＰファイルに保存する"},
    {"LoadGrpFile(scr,X,Y,\"FileName\") ;", "画像ファイル（ＪＰＥＧ、ＧＩＦなど）を表示する"},
    {"SetPal(n,R,G,B) ;", "パレット番号に色を設定する"},
    {"Pie(scr,XL,YT,XR,YB,ST,SP,OC,IC) ;", "扇形を描画する"},
    {"Arc(scr,XL,YT,XR,YB,ST,SP,C) ;", "円弧を描画する"},
    {"Chord(scr,XL,YT,XR,YB,ST,SP,OC,IC) ;", "弓形（円を弦で切った形）を描画する"},
    {"GetPixelR(scr,X,Y) ;", "点の色の赤の度合いを返す"},
    {"GetPixelG(scr,X,Y) ;", "点の色の緑の度合いを返す"},
    {"GetPixelB(scr,X,Y) ;", "点の色の青の度合いを返す"},
    {"ClientToScreenX(x) ;", "ウィンドウ内のＸ座標を画面全体の座標に変換する"},
    {"ClientToScreenY(y) ;", "ウィンドウ内のＹ座標を画面全体の座標に変換する"},
    {"SubScreen(scrNo,wide,height) ;", "裏画面（サブスクリーン）を作る（CREATE内）"},
    {"QRcode(scr,x,y,size,col,level,\"text\") ;", "ＱＲコードを描画する（誤り訂正レベル０～３）"},
};

constexpr ReferenceEntry k3DGraphics[] = {
    {"Create3DPack(pack_n,size) ;", "３Ｄパックを作る（CREATE内）"},
    {"Set3DCenter(x,y,deep) ;", "３Ｄ表示の中心と奥行きを設定する"},
    {"Add3DPack(pack_n,x1,y1,z1,x2,y2,z2,x3,y3,z3,r,g,b) ;", "３Ｄパックに三角形を追加する"},
    {"Clear3DPack(pack_n) ;", "３Ｄパックの三角形を全て消去する"},
    {"Draw3DPack(scr,pack_n) ;", "３Ｄパックを描画する"},
    {"Set3DLocalRotateX(pack_n,r) ;", "３ＤパックをＸ軸の回りに回転する"},
    {"Set3DLocalRotateY(pack_n,r) ;", "３ＤパックをＹ軸の回りに回転する"},
    {"Set3DLocalRotateZ(pack_n,r) ;", "３ＤパックをＺ軸の回りに回転する"},
    {"Set3DLocalPosX(pack_n,move) ;", "３ＤパックをＸ方向に移動する（回転の前）"},
    {"Set3DLocalPosY(pack_n,move) ;", "３ＤパックをＹ方向に移動する（回転の前）"},
    {"Set3DLocalPosZ(pack_n,move) ;", "３ＤパックをＺ方向に移動する（回転の前）"},
    {"Set3DWorldPosX(pack_n,move) ;", "３ＤパックをＸ方向に移動する（回転の後）"},
    {"Set3DWorldPosY(pack_n,move) ;", "３ＤパックをＹ方向に移動する（回転の後）"},
    {"Set3DWorldPosZ(pack_n,move) ;", "３ＤパックをＺ方向に移動する（回転の後）"},
    {"Reset3DRotate(pack_n) ;", "３Ｄパックの回転を元に戻す"},
    {"Reset3DPos(pack_n) ;", "３Ｄパックの移動を元に戻す"},
    {"Save3DPack(pack_n) ;", "３Ｄパックを開いているファイルに書き込む"},
    {"Load3DPack(pack_n) ;", "開いているファイルから３Ｄパックを読み込む"},
};

constexpr ReferenceEntry kText[] = {
    {"Print(scr,X,Y,R,W,H,C,\"text\") ;", "文字列を表示する"},
    {"PrintCode(scr,X,Y,R,W,H,C,AsciiCode) ;", "文字コードの１バイト文字を表示する"},
    {"PrintKJCode(scr,X,Y,R,W,H,C,Code1,Code2) ;", "文字コードの２バイト文字（漢字）を表示する"},
    {"PrintData(scr,X,Y,R,W,H,C,n,data) ;", "数値を小数点以下ｎ桁で表示する"},
    {"AscType(AsciiCode) ;", "文字の種類を返す(１バイト：１、その他：０)"},
    {"SetFont(\"FontName\",Switch) ;", "文字表示のフォントを設定する"},
    {"MessBox(\"message\",\"title\",btn,icon) ;", "メッセージボックスを表示する"},
};

constexpr ReferenceEntry kFiles[] = {
    {"OpenFileRead(\"FileName\") ;", "ファイルを読み込み用に開く"},
    {"OpenFileWrite(\"FileName\") ;", "ファイルを書き込み用に開く（新しく作る）"},
    {"OpenFileReadDlg(\"DlgTitle\") ;", "ダイアログで選んだファイルを読み込み用に開く"},
    {"OpenFileWriteDlg(\"DlgTitle\") ;", "ダイアログで選んだファイルを書き込み用に開く"},
    {"CloseFile ;", "開いているファイルを閉じる"},
    {"FileNameDlgR(\"DlgTitle\",\"list\",type) ;", "開くダイアログでファイル名だけを取得する"},
    {"FileNameDlgW(\"DlgTitle\",\"list\",type) ;", "保存ダイアログでファイル名だけを取得する"},
    {"ReadFile(pos) ;", "ファイルから１バイト読み込む"},
    {"WriteFile(pos,data) ;", "ファイルへ１バイト書き込む"},
    {"ReadFileToEdit(\"ID_edit\") ;", "開いているファイルの内容をエディットに読み込む"},
    {"WriteFileFromEdit(\"ID_edit\") ;", "エディットの内容を開いているファイルに書き込む"},
    {"GetFileLength(\"FileName\") ;", "ファイルの大きさ（バイト数）を返す"},
    {"GetFileName(\"ID_edit\",\"FileName\") ;", "パスからファイル名の部分をエディットに取り出す"},
    {"GetFilePath(\"ID_edit\",\"FileName\") ;", "パスからフォルダの部分をエディットに取り出す"},
};

constexpr ReferenceEntry kWindowMenu[] = {
    {"SetWinStyle(type) ;", "ウィンドウのスタイルを設定する（CREATE内）"},
    {"SetWinStyleOption(type,opt1,opt2) ;", "ウィンドウの外形を設定する（CREATE内）"},
    {"SetWinColor(C) ;", "ウィンドウの背景色を設定する"},
    {"SetScrollBar(H_Size,V_Size) ;", "ウィンドウにスクロールバーを付ける（CREATE内）"},
    {"SetWinSize(Wide,Height) ;", "ウィンドウの大きさを設定する"},
    {"SetWinPos(XL,YT,Z) ;", "ウィンドウの位置を設定する（Z=1で最前面）"},
    {"SetCaption(\"caption\") ;", "タイトルバーの文字列を設定する"},
    {"Menu(\"MenuName\") ;", "メニューバーに項目を追加する（CREATE内）"},
    {"PopupMenuEX(\"PopupName\",\"ID_menu\") ;", "メニューに選択項目を追加する（CREATE内）"},
    {"SetMenuStyle(\"PopupMenuName\",check,color) ;", "メニュー項目のチェックと灰色表示を設定する"},
    {"MessBox(\"message\",\"title\",btn,icon) ;", "メッセージボックスを表示する"},
    {"DlgBox(\"ID_str\") ;", "ダイアログボックスを開く"},
    {"WinExec(\"FileName\") ;", "他のプログラムを起動する"},
};

constexpr ReferenceEntry kControls[] = {
    {"CreateControl(type,\"str\",\"ID_control\",x,y,w,h) ;", "コントロールを作る（CREATE内）"},
    {"SetControlSize(\"ID_control\",x,y,w,h) ;", "コントロールの位置と大きさを変える"},
    {"SetControlFont(\"ID_control\",\"font_name\",w,h,sw) ;", "コントロールのフォントを設定する"},
    {"SetControlFocus(\"ID_control\") ;", "コントロールに入力フォーカスを移す"},
    {"KillControlFocus ;", "入力フォーカスをウィンドウに戻す"},
};

constexpr ReferenceEntry kButtons[] = {
    {"SetButtonText(\"ID_button\",\"text\") ;", "ボタンの文字列を設定する"},
    {"SetButtonGrpFile(\"ID_button\",\"FileName\") ;", "ＢＭＰボタンに画像ファイルの絵を描く"},
    {"SetButtonGrp(\"ID_button\",type) ;", "ＢＭＰボタンに標準の絵（１～２０）を描く"},
    {"SetButtonCheck(\"ID_button\",sw) ;", "ボタンのチェックを設定する（１：あり、０：なし）"},
    {"GetButtonCheck(\"ID_button\") ;", "ボタンのチェックの状態を返す（１：あり、０：なし）"},
    {"BmpBtBox(\"ID_button\",XL,YT,XR,YB,OC,IC) ;", "ＢＭＰボタンに四角形を描く"},
    {"BmpBtCircle(\"ID_button\",XL,YT,XR,YB,OC,IC) ;", "ＢＭＰボタンに円を描く"},
    {"BmpBtLine(\"ID_button\",X1,Y1,X2,Y2,C) ;", "ＢＭＰボタンに直線を描く"},
    {"BmpBtPoint(\"ID_button\",X,Y,C) ;", "ＢＭＰボタンに点を描く"},
};

constexpr ReferenceEntry kEdits[] = {
    {"AllSelectEdit(\"ID_edit\") ;", "文字列を全て選択する"},
    {"ClearEdit(\"ID_edit\") ;", "選択した文字列を削除する"},
    {"AllClearEdit(\"ID_edit\") ;", "文字列を全て削除する"},
    {"ClipEdit(\"ID_edit\") ;", "選択した文字列をクリップボードへコピーする"},
    {"AllClipEdit(\"ID_edit\") ;", "文字列を全てクリップボードへコピーする"},
    {"CmpEditText(\"ID_edit\",n,\"str\") ;", "ｎ文字目からの文字列を比較する（一致：１、不一致：０）"},
    {"CutEdit(\"ID_edit\") ;", "選択した文字列を切り取る"},
    {"GetEditChange(\"ID_edit\") ;", "文字列が変更されたかを返す（変更あり：１）"},
    {"GetEditCode(\"ID_edit\",n) ;", "ｎバイト目の文字コードを返す"},
    {"GetEditCursolEnd(\"ID_edit\") ;", "選択範囲の終わりの位置を返す"},
    {"GetEditCursolStart(\"ID_edit\") ;", "選択範囲の始めの位置を返す"},
    {"GetEditData(\"ID_edit\") ;", "文字列を数値に変換して返す"},
    {"GetEditLength(\"ID_edit\") ;", "文字列の長さを文字数で返す"},
    {"GetEditLengthB(\"ID_edit\") ;", "文字列の長さをバイト数で返す"},
    {"GetEditText(\"ID_editA\",st,sp,\"ID_editB\") ;", "文字列の一部を別のエディットに取り出す"},
    {"PasteEdit(\"ID_edit\") ;", "クリップボードの文字列を貼り付ける"},
    {"ReadFileToEdit(\"ID_edit\") ;", "開いているファイルの内容をエディットに読み込む"},
    {"UndoEdit(\"ID_edit\") ;", "直前の操作を元に戻す"},
    {"SearchEditText(\"ID_edit\",n,\"str\") ;", "ｎ文字目から文字列を探して位置を返す（なし：-1）"},
    {"SetEditCode(\"ID_edit\",data) ;", "文字コードの１バイトを挿入する"},
    {"SetEditCodeRet(\"ID_edit\") ;", "改行を挿入する"},
    {"SetEditCursol(\"ID_edit\",st,sp) ;", "選択範囲（カーソル位置）を設定する"},
    {"SetEditData(\"ID_edit\",data,n) ;", "数値を小数点以下ｎ桁の文字列で挿入する"},
    {"SetEditData16(\"ID_edit\",data) ;", "数値を１６進数の文字列で挿入する"},
    {"SetEditNoChange(\"ID_edit\") ;", "文字列を変更されていない状態にする"},
    {"SetEditText(\"ID_edit\",\"text\") ;", "文字列を挿入する"},
    {"WriteFileFromEdit(\"ID_edit\") ;", "エディットの内容を開いているファイルに書き込む"},
};

constexpr ReferenceEntry kLists[] = {
    {"SetListText(\"ID_list\",\"text\") ;", "リストに項目を追加する"},
    {"GetListPos(\"ID_list\") ;", "選択されている項目の番号を返す（なし：-1）"},
    {"SetListPos(\"ID_list\",n) ;", "ｎ番目の項目を選択する"},
    {"GetListText(\"ID_list\",\"ID_edit\") ;", "選択されている項目の文字列をエディットに取り出す"},
    {"ClearList(\"ID_list\") ;", "リストの項目を全て削除する"},
    {"GetComboText(\"ID_combo\",\"ID_edit\") ;", "コンボボックスの文字列をエディットに取り出す"},
};

constexpr ReferenceEntry kScrollBars[] = {
    {"SetScrollRange(\"ID_scroll\",renge) ;", "スクロールバーの範囲（０～renge）を設定する"},
    {"SetScrollPos(\"ID_scroll\",pos) ;", "スクロールバーの位置を設定する"},
    {"GetScrollPos(\"ID_scroll\") ;", "スクロールバーの位置を返す"},
};

constexpr ReferenceEntry kSound[] = {
    {"WaveBuf(\"buf_name\",size) ;", "ウェーブバッファを作る（CREATE内）"},
    {"PlayWaveBuf(\"buf_name\",flag) ;", "ウェーブバッファの音を再生する"},
    {"StopWaveBuf() ;", "ウェーブバッファの再生を停止する"},
    {"SetWaveBuf(\"buf_name\",pos,data) ;", "ウェーブバッファに１サンプルを書き込む"},
    {"GetWaveBuf(\"buf_name\",pos) ;", "ウェーブバッファの１サンプルを返す"},
    {"SaveWaveBuf(\"buf_name\") ;", "ウェーブバッファを開いているファイルに保存する"},
    {"EntryWaveFile(ID,\"file_name\") ;", "ＷＡＶファイルをサウンド番号に登録する"},
    {"EntryMidiFile(ID,\"file_name\") ;", "ＭＩＤＩファイルをサウンド番号に登録する"},
    {"PlaySound(ID,flag) ;", "登録したサウンドを再生する"},
    {"PauseSound(ID) ;", "サウンドを停止／再開する"},
    {"StopSound(ID) ;", "サウンドの再生を終了する"},
};

constexpr ReferenceEntry kVideo[] = {
    {"OpenVideoFile(x,y,w,h,\"file_name\") ;", "動画ファイルを開いて表示する"},
    {"CloseVideo() ;", "動画を閉じる"},
    {"PlayVideo() ;", "動画を再生する"},
    {"PauseVideo() ;", "動画を一時停止する"},
    {"SetVideoSize(x,y,w,h) ;", "動画の位置と大きさを変える"},
    {"SetVideoSpeed(percent) ;", "再生の速さを設定する（％）"},
    {"SetVideoVolume(percent) ;", "音量を設定する（％）"},
    {"SetVideoPlayPos(tm) ;", "再生位置（秒）を設定して再生する"},
    {"SkipVideoPlayPos(tm) ;", "再生位置を指定した秒数だけ進める（戻す）"},
    {"n = GetVideoPlayPos() ;", "動画の再生位置（秒）を取得する"},
};

constexpr ReferenceEntry kCamera[] = {
    {"OpenCamera(num,x,y,w,h,scr) ;", " num(0～)番目のカメラ使用を開始する"},
    {"CloseCamera(num) ;", "カメラの使用を終了する（ num は無意味）"},
    {"SetCameraWinSize(num,x,y,w,h);", "カメラ画像の位置と大きさを変える"},
    {"SetCameraWinColor(num,r,g,b);", "カメラ画像の背景色を設定する"},
};

constexpr ReferenceEntry kOthers[] = {
    {"Data(\"name\",SizeY,SizeX) ;", "２次元の配列を作る（CREATE内）"},
    {"DataInit(\"name\",data) ;", "配列の全ての要素に値を入れる"},
    {"SetTimer(t) ;", "TIMERを実行する間隔（ミリ秒）を設定する（CREATE内）"},
    {"SubScreen(scrNo,wide,height) ;", "裏画面（サブスクリーン）を作る（CREATE内）"},
    {"ClientToScreenX(x) ;", "ウィンドウ内のＸ座標を画面全体の座標に変換する"},
    {"ClientToScreenY(y) ;", "ウィンドウ内のＹ座標を画面全体の座標に変換する"},
    {"Beep(n) ;", "システムの音を鳴らす"},
    {"WinExec(\"FileName\") ;", "他のプログラムを起動する"},
    {"sin(x)", "正弦（サイン）を返す（ラジアン）"},
    {"cos(x)", "余弦（コサイン）を返す（ラジアン）"},
    {"tan(x)", "正接（タンジェント）を返す（ラジアン）"},
    {"asin(x)", "逆正弦（アークサイン）を返す"},
    {"acos(x)", "逆余弦（アークコサイン）を返す"},
    {"atan(x)", "逆正接（アークタンジェント）を返す"},
    {"sqrt(data)", "平方根を返す"},
    {"fix(data)", "小数点以下を切り捨てた整数を返す"},
    {"abs(data)", "絶対値を返す"},
    {"rand(s)", "０からｓ未満の乱数を返す"},
};

constexpr ReferenceEntry kStatements[] = {
    {"loop(n){ 処理内容 }", "｛｝の中をｎ回繰り返す"},
    {"call(\"SubName\") ;", "サブルーチンを呼び出す"},
    {"if(a > b){ 処理内容 }", "条件が成り立つとき｛｝の中を実行する"},
    {"return ;", "サブルーチンから戻る"},
    {"end ;", "プログラムを終了する"},
};

constexpr ReferenceEntry kSections[] = {
    {"CREATE", "ウィンドウが開く前に実行される"},
    {"INIT", "ウィンドウが開いた直後に１回だけ実行される"},
    {"PAINT", "ウィンドウの再描画が必要なときに実行される"},
    {"SIZE", "ウィンドウの大きさが変わると実行される"},
    {"MOVE", "ウィンドウが移動すると実行される"},
    {"TIMER", "SetTimerで設定した間隔ごとに実行される"},
    {"LBUTTONDOWN", "マウスの左ボタンが押されると実行される"},
    {"RBUTTONDOWN", "マウスの右ボタンが押されると実行される"},
    {"MOUSEWHEEL", "マウスホイールが回されると実行される"},
    {"MBUTTONDOWN", "マウスの中ボタンが押されると実行される"},
    {"LBUTTONDBLCLK", "マウスの左ボタンがダブルクリックされると実行される"},
    {"RBUTTONDBLCLK", "マウスの右ボタンがダブルクリックされると実行される"},
    {"MBUTTONDBLCLK", "マウスの中ボタンがダブルクリックされると実行される"},
    {"LBUTTONUP", "マウスの左ボタンが離されると実行される"},
    {"RBUTTONUP", "マウスの右ボタンが離されると実行される"},
    {"MBUTTONUP", "マウスの中ボタンが離されると実行される"},
    {"MOUSEMOVE", "マウスが動くと実行される"},
    {"CLOSE", "ウィンドウが閉じる直前に実行される"},
    {"SETFOCUS", "ウィンドウが入力フォーカスを得ると実行される"},
    {"KILLFOCUS", "ウィンドウが入力フォーカスを失うと実行される"},
    {"KEYDOWN", "キーが押されると実行される（キーコード）"},
    {"KEYUP", "キーが離されると実行される（キーコード）"},
    {"CHARDOWN", "キーが押されると実行される（アスキーコード）"},
    {"HSCROLLBAR", "水平スクロールバーが操作されると実行される"},
    {"VSCROLLBAR", "垂直スクロールバーが操作されると実行される"},
};

constexpr ReferenceEntry kVariables[] = {
    {"MOUSE_X", "マウスのＸ座標"},
    {"MOUSE_Y", "マウスのＹ座標"},
    {"MOUSE_WH", "マウスホイールの操作方向（手前：-1　奥：＋１）"},
    {"WIN_W", "親ウィンドウのクライアントエリアの横サイズ"},
    {"WIN_H", "親ウィンドウのクライアントエリアの縦サイズ"},
    {"WIN_L", "ウィンドウの左端の位置"},
    {"WIN_T", "ウィンドウの上端の位置"},
    {"SCR_W", "画面全体の横サイズ"},
    {"SCR_H", "画面全体の縦サイズ"},
    {"VIDEO_LEN", "動画の長さ（秒）"},
    {"CAMERA_W", "カメラ画像の横サイズ"},
    {"CAMERA_H", "カメラ画像の縦サイズ"},
    {"SCROLL_H", "水平スクロールバーの位置"},
    {"SCROLL_V", "垂直スクロールバーの位置"},
    {"\"FILE_NAME\"", "起動または最後に開いたファイル名（フルパス）"},
    {"KEY", "押されたキーのキーコード"},
    {"ASC", "押されたキーのアスキーコード"},
    {"PI", "円周率"},
    {"YEAR", "現在の年"},
    {"MONTH", "現在の月"},
    {"DAY", "現在の日"},
    {"HOUR", "現在の時"},
    {"MIN", "現在の分"},
    {"SEC", "現在の秒"},
};

constexpr ReferenceCategory kCategories[] = {
    {"グラフィック", kGraphics, TemplateEnd::LineEnd},
    {"３Ｄグラフィック", k3DGraphics, TemplateEnd::LineEnd},
    {"文字列表示", kText, TemplateEnd::LineEnd},
    {"ファイル処理", kFiles, TemplateEnd::LineEnd},
    {"ウィンドウ、メニュー", kWindowMenu, TemplateEnd::LineEnd},
    {"コントロール(共通)", kControls, TemplateEnd::LineEnd},
    {"コントロール(ボタン)", kButtons, TemplateEnd::LineEnd},
    {"コントロール(エディット)", kEdits, TemplateEnd::LineEnd},
    {"コントロール(リスト)", kLists, TemplateEnd::LineEnd},
    {"コントロール(スクロール)", kScrollBars, TemplateEnd::LineEnd},
    {"サウンド", kSound, TemplateEnd::LineEnd},
    {"ビデオ動画再生", kVideo, TemplateEnd::LineEnd},
    {"ＵＳＢカメラ", kCamera, TemplateEnd::LineEnd},
    {"その他のコマンド、関数", kOthers, TemplateEnd::LineEnd},
    {"制御文", kStatements, TemplateEnd::LineEnd},
    {"予約サブルーチン", kSections, TemplateEnd::SectionBody},
    {"予約変数", kVariables, TemplateEnd::Nothing},
};

}  // namespace

std::span<const ReferenceCategory> commandReference() { return kCategories; }

std::string insertedText(const ReferenceCategory& category, size_t entry) {
    std::string text = category.entries[entry].text;
    switch (category.end) {
    case TemplateEnd::LineEnd: text += "\r\n"; break;
    case TemplateEnd::SectionBody: text += "\r\n{\r\n\r\n}\r\n"; break;
    case TemplateEnd::Nothing: break;
    }
    return text;
}

}  // namespace kav::editor

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>potelan::BaseForm</name>
    <message>
        <source>%1&#x3000;%2=</source>
        <translation>%1 %2=</translation>
    </message>
    <message>
        <source>Suspension Type2</source>
        <translation>Suspension Type2</translation>
    </message>
    <message>
        <source>Suspesion Type3</source>
        <translation>Suspension Type3</translation>
    </message>
    <message>
        <source>Suspesion Type4</source>
        <translation>Suspension Type4</translation>
    </message>
    <message>
        <source>Suspesion Type5</source>
        <translation>Suspension Type5</translation>
    </message>
    <message>
        <source>Suspesion Type6</source>
        <translation>Suspension Type6</translation>
    </message>
</context>
<context>
    <name>potelan::Dimensions</name>
    <message>
        <source>サス上部取付位置Ｘ座標</source>
        <translation>Shock upper mount X</translation>
    </message>
    <message>
        <source>サス上部取付Ｘ座標</source>
        <translation>Shock upper mount X</translation>
    </message>
    <message>
        <source>サス上部取付位置Ｙ座標</source>
        <translation>Shock upper mount Y</translation>
    </message>
    <message>
        <source>サス上部取付Ｙ座標</source>
        <translation>Shock upper mount Y</translation>
    </message>
    <message>
        <source>サス上部取付長</source>
        <translation>Shock upper mount length</translation>
    </message>
    <message>
        <source>サス上部取付オフセット</source>
        <translation>Shock upper mount offset</translation>
    </message>
    <message>
        <source>リアフォーク長</source>
        <translation>Swing arm length</translation>
    </message>
    <message>
        <source>フォーク長</source>
        <translation>Swing arm length</translation>
    </message>
    <message>
        <source>フォークリンク取付位置</source>
        <translation>Arm link mount</translation>
    </message>
    <message>
        <source>サスリンク取り付け長</source>
        <translation>Arm mount length</translation>
    </message>
    <message>
        <source>フォークリンク取付長</source>
        <translation>Arm link mount length</translation>
    </message>
    <message>
        <source>リンク取付オフセット量</source>
        <translation>Arm link mount offset</translation>
    </message>
    <message>
        <source>サス取り付けオフセット</source>
        <translation>Arm mount offset</translation>
    </message>
    <message>
        <source>フォークリンクオフセット</source>
        <translation>Arm link mount offset</translation>
    </message>
    <message>
        <source>リアアクスル初期位置</source>
        <translation>Axle start position</translation>
    </message>
    <message>
        <source>スプリングレート</source>
        <translation>Spring rate</translation>
    </message>
    <message>
        <source>プリロード</source>
        <translation>Preload</translation>
    </message>
    <message>
        <source>イニシャル</source>
        <translation>Preload</translation>
    </message>
    <message>
        <source>フレーム側リンク取付位置Ｘ座標</source>
        <translation>Frame link mount X</translation>
    </message>
    <message>
        <source>フレーム側リンク取付Ｘ座標</source>
        <translation>Frame link mount X</translation>
    </message>
    <message>
        <source>フレーム側リンク取付位置Ｙ座標</source>
        <translation>Frame link mount Y</translation>
    </message>
    <message>
        <source>フレーム側リンク取付Ｙ座標</source>
        <translation>Frame link mount Y</translation>
    </message>
    <message>
        <source>リンクプレート上辺</source>
        <translation>Link plate upper side</translation>
    </message>
    <message>
        <source>リンクプレート前辺</source>
        <translation>Link plate front side</translation>
    </message>
    <message>
        <source>リンクプレート後辺</source>
        <translation>Link plate rear side</translation>
    </message>
    <message>
        <source>テンションロッド長</source>
        <translation>Tension rod length</translation>
    </message>
    <message>
        <source>ピボットＸ座標</source>
        <translation>Pivot X</translation>
    </message>
    <message>
        <source>ピボット移動Ｘ</source>
        <translation>Pivot move X</translation>
    </message>
    <message>
        <source>ピボットＹ座標</source>
        <translation>Pivot Y</translation>
    </message>
    <message>
        <source>ピボット移動Ｙ</source>
        <translation>Pivot move Y</translation>
    </message>
    <message>
        <source>リバウンドスプリングレート</source>
        <translation>Rebound spring rate</translation>
    </message>
    <message>
        <source>リバウンドスプリング長</source>
        <translation>Rebound spring length</translation>
    </message>
</context>
<context>
    <name>potelan::EditCommands</name>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>コピーできませんでした</source>
        <translation>The data could not be copied</translation>
    </message>
</context>
<context>
    <name>potelan::EditSession</name>
    <message>
        <source>変更された条件でリンクが成立しません</source>
        <translation>The linkage cannot be assembled with the changed dimensions</translation>
    </message>
    <message>
        <source>前の状態のデータでもリンクが成立しません</source>
        <translation>The linkage cannot be assembled with the previous data either</translation>
    </message>
    <message>
        <source>基準の状態に戻します</source>
        <translation>The base set is put back</translation>
    </message>
    <message>
        <source>変更された条件のリンク位置が選ばれていません</source>
        <translation>No link position is chosen for the changed dimensions</translation>
    </message>
    <message>
        <source>空欄または数値でない項目があるため一時保存できません</source>
        <translation>Cannot store: some entries are empty or not numbers</translation>
    </message>
    <message>
        <source>変更ピッチには正の数を入力して下さい</source>
        <translation>Enter a positive number as the change pitch</translation>
    </message>
    <message>
        <source>初期条件でリンクが成立しません</source>
        <translation>The linkage cannot be assembled at the start position</translation>
    </message>
    <message>
        <source>読み込んだデータのリンク位置が選ばれていません</source>
        <translation>No link position is chosen for the loaded data</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾌｧｲﾙの %1 行目が読めないため、その前の行までを読み込みました
%2
以降の値は読み込む前のままです</source>
        <translation>Line %1 of the link file cannot be read: the lines before it were loaded
%2
The values after it are as they were before loading</translation>
    </message>
    <message>
        <source>データを前の状態に戻します</source>
        <translation>The data is put back as it was</translation>
    </message>
    <message>
        <source>ファイルを読み込めませんでした</source>
        <translation>The file could not be read</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾌｧｲﾙとして読み込めませんでした</source>
        <translation>The file could not be read as a link file</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾌｧｲﾙの %1 行目が読めないため、その前の行までを読み込みました
以降の値は読み込む前のままです</source>
        <translation>Line %1 of the link file cannot be read: the lines before it were loaded
The values after it are as they were before loading</translation>
    </message>
</context>
<context>
    <name>potelan::InitForm</name>
    <message>
        <source>ｱｸｽﾙｽﾄﾛｰｸ最大値は 0 から 3276 までの整数で入力して下さい</source>
        <translation>Enter the maximum axle stroke as a whole number from 0 to 3276</translation>
    </message>
    <message>
        <source>初期設定をファイルに保存できませんでした</source>
        <translation>The settings could not be saved to the file</translation>
    </message>
    <message>
        <source>初期設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>ｱｸｽﾙｽﾄﾛｰｸ最大値</source>
        <translation>Maximum axle stroke</translation>
    </message>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>次回の起動から有効</source>
        <translation>Applies from the next start</translation>
    </message>
</context>
<context>
    <name>potelan::InputForm</name>
    <message>
        <source>次の項目の入力は数値ではありません</source>
        <translation>These entries are not numbers:</translation>
    </message>
    <message>
        <source>数値を入力して下さい</source>
        <translation>Please enter numbers</translation>
    </message>
    <message>
        <source>緒元入力</source>
        <translation>Dimensions</translation>
    </message>
    <message>
        <source>サスペンションタイプ:</source>
        <translation>Suspension type:</translation>
    </message>
    <message>
        <source>リンク位置の選択</source>
        <translation>Choose the link position</translation>
    </message>
    <message>
        <source>リンク位置:</source>
        <translation>Link position:</translation>
    </message>
    <message>
        <source>変更ピッチ:</source>
        <translation>Change pitch:</translation>
    </message>
    <message>
        <source>一時保存</source>
        <translation>Store</translation>
    </message>
    <message>
        <source>復帰</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>%1「%2」</source>
        <translation>%1 &quot;%2&quot;</translation>
    </message>
</context>
<context>
    <name>potelan::LinkFile</name>
    <message>
        <source>基準サス緒元で選択されたリンクタイプと<byte value="xd"/>
読み込まれたリンクタイプが違います<byte value="xd"/>
ﾌｧｲﾙを選択し直すか、前に戻ってやり直して下さい</source>
        <translation>The link type of the file read differs from<byte value="xd"/>
the link type chosen for the base dimensions<byte value="xd"/>
Choose another file, or go back and start again</translation>
    </message>
</context>
<context>
    <name>potelan::MainWindow</name>
    <message>
        <source>ファイルからデータを読み込む</source>
        <translation>Load data from a file</translation>
    </message>
    <message>
        <source>現在のデータをファイルに保存</source>
        <translation>Save the current data to a file</translation>
    </message>
    <message>
        <source>印刷実行</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>数値入力画面を前面に</source>
        <translation>Bring Dimensions to the front</translation>
    </message>
    <message>
        <source>グラフ表示を前面に</source>
        <translation>Bring Graph to the front</translation>
    </message>
    <message>
        <source>数値表を前面に</source>
        <translation>Bring Numeric Table to the front</translation>
    </message>
    <message>
        <source>実働表示部を前面に</source>
        <translation>Bring Motion to the front</translation>
    </message>
    <message>
        <source>荷重チェック（未使用）</source>
        <translation>Load check (unused)</translation>
    </message>
    <message>
        <source>次のステップへ進む</source>
        <translation>Next step</translation>
    </message>
    <message>
        <source>前のステップに戻る</source>
        <translation>Previous step</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>読み込み</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>このプログラムについて</source>
        <translation>About Potelan</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>張り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <source>グラフ表示</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>表の表示</source>
        <translation>Numeric Table</translation>
    </message>
    <message>
        <source>実働表示</source>
        <translation>Motion</translation>
    </message>
    <message>
        <source>ラベル</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>特別</source>
        <translation>Special</translation>
    </message>
    <message>
        <source>設計支援</source>
        <translation>Design Assistant</translation>
    </message>
    <message>
        <source>ウィンドウ</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>並べて表示</source>
        <translation>Tile</translation>
    </message>
    <message>
        <source>重ねて表示</source>
        <translation>Cascade</translation>
    </message>
    <message>
        <source>初期設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>処理を続けられませんでした</source>
        <translation>The command could not be carried out</translation>
    </message>
    <message>
        <source>未入力項目があります。
ファイルからデータを読み込みますか？</source>
        <translation>Some entries are empty.
Load the data from a file?</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾌｧｲﾙ選択</source>
        <translation>Open Link File</translation>
    </message>
    <message>
        <source>保存ﾘﾝｸﾌｧｲﾙ選択</source>
        <translation>Save Link File</translation>
    </message>
    <message>
        <source>ファイルに保存できませんでした</source>
        <translation>The file could not be saved</translation>
    </message>
    <message>
        <source>まだ開発途上のプログラムです</source>
        <translation>This program is still being developed</translation>
    </message>
    <message>
        <source>ぽてらんβ</source>
        <translation>Potelan β</translation>
    </message>
</context>
<context>
    <name>potelan::PositionForm</name>
    <message>
        <source>リンク位置を選んで下さい</source>
        <translation>Choose the Link Position</translation>
    </message>
    <message>
        <source>リンク位置選択</source>
        <translation>Link position</translation>
    </message>
    <message>
        <source>その位置ではリンクが成立しません</source>
        <translation>The linkage cannot be assembled at that position</translation>
    </message>
    <message>
        <source>リンク位置を選んでから OKﾎﾞﾀﾝ を押して下さい</source>
        <translation>Choose a link position, then press OK</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>リンク位置 P %1 ではリンクが成立しません</source>
        <translation>The linkage cannot be assembled at link position P %1</translation>
    </message>
    <message>
        <source>リンク位置を選び直して下さい</source>
        <translation>Choose the link position again</translation>
    </message>
    <message>
        <source>どのリンク位置でもリンクが成立しません</source>
        <translation>The linkage cannot be assembled at any link position</translation>
    </message>
</context>
<context>
    <name>potelan::QtPrompts</name>
    <message>
        <source>画像のサイズ</source>
        <translation>Image Size</translation>
    </message>
    <message>
        <source>ウィンドウと同じ (%1%2%3)</source>
        <translation>Same as the window (%1%2%3)</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>potelan::ResultItems</name>
    <message>
        <source>ﾘﾝｸﾚｼｵ</source>
        <translation>Link ratio</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾚｼｵ(逆数)</source>
        <translation>Inverse link ratio</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾚｼｵ(逆)</source>
        <translation>Inv. ratio</translation>
    </message>
    <message>
        <source>ｱｸｽﾙ荷重</source>
        <translation>Axle load</translation>
    </message>
    <message>
        <source>サス荷重</source>
        <translation>Shock load</translation>
    </message>
    <message>
        <source>ﾃﾝｼｮﾝﾛｯﾄﾞ荷重</source>
        <translation>Tension rod load</translation>
    </message>
    <message>
        <source>ピボット荷重</source>
        <translation>Pivot load</translation>
    </message>
    <message>
        <source>ﾋﾟﾎﾞｯﾄ荷重</source>
        <translation>Pivot load</translation>
    </message>
    <message>
        <source>ﾌﾚｰﾑﾘﾝｸ取付位置荷重</source>
        <translation>Frame link mount load</translation>
    </message>
    <message>
        <source>ﾌｫｰｸﾘﾝｸ取付位置荷重</source>
        <translation>Arm link mount load</translation>
    </message>
    <message>
        <source>サス長</source>
        <translation>Shock length</translation>
    </message>
    <message>
        <source>ｻｽｽﾄﾛｰｸ</source>
        <translation>Shock stroke</translation>
    </message>
    <message>
        <source>ﾎｲｰﾙﾚｰﾄ</source>
        <translation>Wheel rate</translation>
    </message>
    <message>
        <source>ｱｸｽﾙ</source>
        <translation>Axle</translation>
    </message>
    <message>
        <source>ｽﾄﾛｰｸ</source>
        <translation>stroke</translation>
    </message>
    <message>
        <source>基準</source>
        <translation>Base</translation>
    </message>
    <message>
        <source>変更</source>
        <translation>Changed</translation>
    </message>
</context>
<context>
    <name>potelan::SpinButton</name>
    <message>
        <source>%1 上</source>
        <translation>%1 up</translation>
    </message>
    <message>
        <source>%1 下</source>
        <translation>%1 down</translation>
    </message>
</context>
<context>
    <name>potelan::StartMixForm</name>
    <message>
        <source>リンクタイプ選択</source>
        <translation>Link Type</translation>
    </message>
    <message>
        <source>基準リンク緒元設定</source>
        <translation>Base linkage dimensions</translation>
    </message>
</context>
<context>
    <name>potelan::StrokeSweep</name>
    <message>
        <source>ｱｸｽﾙｽﾄﾛｰｸ %1mm でリンクが成立しなくなります</source>
        <translation>The linkage can no longer be assembled at an axle stroke of %1 mm</translation>
    </message>
    <message>
        <source>変更された条件のｱｸｽﾙｽﾄﾛｰｸ%1mm でリンクが成立しません</source>
        <translation>With the changed dimensions the linkage cannot be assembled at an axle stroke of %1 mm</translation>
    </message>
    <message>
        <source>初期条件でリンクが成立しません</source>
        <translation>The linkage cannot be assembled at the start position</translation>
    </message>
</context>
<context>
    <name>potelan::TableExport</name>
    <message>
        <source>ﾘﾝｸﾚｼｵ</source>
        <translation>Link ratio</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾚｼｵ(逆)</source>
        <translation>Inv. ratio</translation>
    </message>
    <message>
        <source>軸荷重</source>
        <translation>Axle load</translation>
    </message>
    <message>
        <source>サス荷重</source>
        <translation>Shock load</translation>
    </message>
    <message>
        <source>T-Rod</source>
        <translation>T-Rod</translation>
    </message>
    <message>
        <source>ﾋﾟﾎﾞｯﾄ荷重</source>
        <translation>Pivot load</translation>
    </message>
    <message>
        <source>Frm-Link</source>
        <translation>Frm-Link</translation>
    </message>
    <message>
        <source>Fork-Link</source>
        <translation>Fork-Link</translation>
    </message>
    <message>
        <source>サス長</source>
        <translation>Shock length</translation>
    </message>
    <message>
        <source>ｻｽｽﾄﾛ-ｸ</source>
        <translation>Shock stroke</translation>
    </message>
    <message>
        <source>ﾎｲｰﾙﾚｰﾄ</source>
        <translation>Wheel rate</translation>
    </message>
    <message>
        <source>基準値</source>
        <translation>Base</translation>
    </message>
    <message>
        <source>変更後</source>
        <translation>Changed</translation>
    </message>
    <message>
        <source>サスタイプ</source>
        <translation>Link type</translation>
    </message>
</context>
<context>
    <name>potelan::WidgetEntryForm</name>
    <message>
        <source>入力エラー：未入力か数値ではありません</source>
        <translation>Entry error: empty or not a number</translation>
    </message>
</context>
<context>
    <name>potelan::text</name>
    <message>
        <source>ぽてらんβ2</source>
        <translation>Potelan β2</translation>
    </message>
    <message>
        <source>ぽてらんからの警告!!</source>
        <translation>Potelan: Warning</translation>
    </message>
    <message>
        <source>ぽてらんからの注意</source>
        <translation>Potelan: Notice</translation>
    </message>
    <message>
        <source>ぽてらん</source>
        <translation>Potelan</translation>
    </message>
    <message>
        <source>ﾘﾝｸﾌｧｲﾙ(*.lin)|*.lin</source>
        <translation>Link files (*.lin)|*.lin</translation>
    </message>
</context>
</TS>

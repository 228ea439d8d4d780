object CalendarForm: TCalendarForm
  Left = 231
  Top = 106
  BorderStyle = bsDialog
  Caption = 'Select a Date'
  ClientHeight = 301
  ClientWidth = 313
  Font.Height = -13
  Font.Name = 'Times New Roman'
  HelpContext = 21
  Position = poScreenCenter
  object OKBtn: TButton
    Left = 94
    Top = 269
    Width = 57
    Height = 22
    TabOrder = 2
    Caption = 'OK'
    Default = True
    ModalResult = 1
  end
  object CancelBtn: TButton
    Left = 170
    Top = 269
    Width = 57
    Height = 22
    TabOrder = 3
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
  end
  object TodayBtn: TButton
    Left = 10
    Top = 270
    Width = 48
    Height = 21
    Font.Height = -13
    Font.Name = 'Times New Roman'
    Font.Style = [fsItalic]
    ParentFont = False
    TabOrder = 1
    OnClick = TodayBtnClick
    Caption = '&Today'
  end
  object HelpBtn: TButton
    Left = 244
    Top = 269
    Width = 57
    Height = 22
    TabOrder = 4
    OnClick = HelpBtnClick
    Cancel = True
    Caption = '&Help'
  end
  object BorderPanel: TPanel
    Left = 5
    Top = 5
    Width = 302
    Height = 250
    TabOrder = 0
    BevelInner = bvRaised
    BevelOuter = bvLowered
    object TitleDisplay: TPanel
      Left = 2
      Top = 2
      Width = 298
      Height = 24
      Font.Height = -13
      Font.Name = 'Times New Roman'
      Font.Style = [fsBold]
      ParentFont = False
      TabOrder = 0
      Align = alTop
      BevelOuter = bvLowered
      Caption = 'Month, Year'
    end
    object SpinPanel: TPanel
      Left = 2
      Top = 26
      Width = 298
      Height = 46
      TabOrder = 1
      Align = alTop
      BevelOuter = bvLowered
      object DayLabel: TLabel
        Left = 17
        Top = 17
        Width = 22
        Height = 15
        Alignment = taRightJustify
        Caption = 'Day'
      end
      object MonthLabel: TLabel
        Left = 106
        Top = 17
        Width = 37
        Height = 15
        Alignment = taRightJustify
        Caption = 'Month'
      end
      object YearLabel: TLabel
        Left = 223
        Top = 17
        Width = 24
        Height = 15
        Alignment = taRightJustify
        Caption = 'Year'
      end
      object DayUpDown: TUpDown
        Left = 50
        Top = 12
        Width = 16
        Height = 24
        Max = 30000
        Min = -30000
        OnClick = DayUpDownClick
      end
      object MonthUpDown: TUpDown
        Left = 155
        Top = 12
        Width = 16
        Height = 24
        Max = 30000
        Min = -30000
        OnClick = MonthUpDownClick
      end
      object YearUpDown: TUpDown
        Left = 260
        Top = 12
        Width = 16
        Height = 24
        Max = 30000
        Min = -30000
        OnClick = YearUpDownClick
      end
    end
    object Calendar: TCalendar
      Left = 2
      Top = 72
      Width = 298
      Height = 150
      Align = alClient
      StartOfWeek = 0
      TabOrder = 2
      UseCurrentDate = False
      OnChange = CalendarChange
      OnDblClick = CalendarDblClick
      OnKeyDown = CalendarKeyDown
    end
    object DateDisplay: TPanel
      Left = 2
      Top = 222
      Width = 298
      Height = 26
      TabOrder = 3
      Align = alBottom
      BevelOuter = bvLowered
      Caption = 'Date'
    end
  end
end

object DemoForm: TDemoForm
  Left = 200
  Top = 120
  Width = 340
  Height = 250
  BorderStyle = bsDialog
  Caption = 'Customer'
  ActiveControl = NameEdit
  Position = poScreenCenter
  OnCreate = FormCreate
  object NameLabel: TLabel
    Left = 12
    Top = 16
    Width = 31
    Height = 13
    Caption = '&Name:'
    FocusControl = NameEdit
  end
  object CityLabel: TLabel
    Left = 12
    Top = 48
    Caption = '&City:'
    FocusControl = CityEdit
  end
  object CodeLabel: TLabel
    Left = 12
    Top = 80
    Caption = '&PIN:'
    FocusControl = CodeEdit
  end
  object NameEdit: TEdit
    Left = 72
    Top = 12
    Width = 241
    Height = 21
    TabOrder = 0
    Text = 'Ada Lovelace'
  end
  object CityEdit: TEdit
    Left = 72
    Top = 44
    Width = 217
    Height = 21
    CharCase = ecUpperCase
    TabOrder = 1
    Text = 'London'
  end
  object PickButton: TSpeedButton
    Left = 292
    Top = 44
    Width = 21
    Height = 21
    Hint = 'Pick a city'
    OnClick = PickClick
  end
  object CodeEdit: TEdit
    Left = 72
    Top = 76
    Width = 89
    Height = 21
    MaxLength = 4
    PasswordChar = '*'
    TabOrder = 2
    Text = '1815'
  end
  object ButtonPanel: TPanel
    Left = 0
    Top = 170
    Width = 334
    Height = 41
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 3
    object OKButton: TButton
      Left = 156
      Top = 8
      Width = 75
      Height = 25
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 0
      OnClick = OKClick
    end
    object CancelButton: TButton
      Left = 240
      Top = 8
      Width = 75
      Height = 25
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 1
      OnClick = CancelClick
    end
  end
  object Note: TPanel
    Left = 12
    Top = 112
    Width = 301
    Height = 45
    BevelOuter = bvLowered
    Caption = 'Fields are checked when you press OK.'
    TabOrder = 4
  end
end

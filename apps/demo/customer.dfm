object CustomerForm: TCustomerForm
  Left = 160
  Top = 80
  BorderStyle = bsDialog
  Caption = 'Customer order'
  ClientHeight = 510
  ClientWidth = 600
  Position = poScreenCenter
  ActiveControl = CodeEdit
  ShowHint = True
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  object CodeLabel: TLabel
    Left = 12
    Top = 16
    Caption = 'Customer &code:'
    FocusControl = CodeEdit
  end
  object CodeEdit: TValidEdit
    Left = 112
    Top = 12
    Width = 160
    Height = 21
    CharCase = ecUpperCase
    EditText = 'C-1042'
    Kind = 1
    MaxLength = 8
    ShowErrors = [veInput, veFocus]
    TabOrder = 0
    Validator.FilterChars = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-'
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object QuantityLabel: TLabel
    Left = 12
    Top = 46
    Caption = '&Quantity:'
    FocusControl = QuantityEdit
  end
  object QuantityEdit: TValidEdit
    Left = 112
    Top = 42
    Width = 160
    Height = 21
    Alignment = taRightJustify
    EditText = '12'
    Kind = 2
    ShowErrors = [veInput, veFocus]
    TabOrder = 1
    Validator.Max = 999
    Validator.Min = 1
    Validator.NoBounds = False
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object DiscountLabel: TLabel
    Left = 12
    Top = 76
    Caption = '&Discount %:'
    FocusControl = DiscountEdit
  end
  object DiscountEdit: TValidEdit
    Left = 112
    Top = 72
    Width = 160
    Height = 21
    Alignment = taRightJustify
    Kind = 3
    ShowErrors = [veInput, veFocus]
    TabOrder = 2
    Validator.Max = 50
    Validator.Min = 0
    Validator.NoBounds = False
    Validator.Precision = 1
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object CreditLabel: TLabel
    Left = 12
    Top = 106
    Caption = 'Credit &limit:'
    FocusControl = CreditEdit
  end
  object CreditEdit: TValidEdit
    Left = 112
    Top = 102
    Width = 160
    Height = 21
    Alignment = taRightJustify
    Kind = 4
    ShowErrors = [veInput, veFocus]
    TabOrder = 3
    Validator.Max = 100000
    Validator.Min = 0
    Validator.NoBounds = False
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object CountryLabel: TLabel
    Left = 12
    Top = 136
    Caption = 'Co&untry:'
    FocusControl = CountryEdit
  end
  object CountryEdit: TValidEdit
    Left = 112
    Top = 132
    Width = 160
    Height = 21
    CompletionList = True
    EditText = 'Germany'
    Kind = 5
    ShowErrors = [veInput, veFocus]
    TabOrder = 4
    Validator.Items.Strings = (
      'Australia'
      'Austria'
      'Belgium'
      'Brazil'
      'Canada'
      'Denmark'
      'France'
      'Germany'
      'Ireland'
      'Italy'
      'Japan'
      'Mexico'
      'Netherlands'
      'New Zealand'
      'Norway'
      'Portugal'
      'Spain'
      'Sweden'
      'Switzerland'
      'United Kingdom'
      'United States')
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object PhoneLabel: TLabel
    Left = 12
    Top = 166
    Caption = '&Phone:'
    FocusControl = PhoneEdit
  end
  object PhoneEdit: TValidEdit
    Left = 112
    Top = 162
    Width = 160
    Height = 21
    EditText = '(555) 123-4567'
    Kind = 6
    ShowErrors = [veInput, veFocus]
    TabOrder = 5
    Validator.Picture = '(###) ###-####'
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object PostcodeLabel: TLabel
    Left = 12
    Top = 196
    Caption = 'P&ostcode:'
    FocusControl = PostcodeEdit
  end
  object PostcodeEdit: TValidEdit
    Left = 112
    Top = 192
    Width = 160
    Height = 21
    CharCase = ecUpperCase
    EditText = '12345'
    Kind = 6
    ShowErrors = [veInput, veFocus]
    TabOrder = 6
    Validator.Picture = '#####[-####],&#& #&#'
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object BirthDateLabel: TLabel
    Left = 12
    Top = 226
    Caption = '&Birth date:'
    FocusControl = BirthDateEdit
  end
  object BirthDateEdit: TValidEdit
    Left = 112
    Top = 222
    Width = 160
    Height = 21
    ButtonHint = 'Pick the date in a calendar (Ctrl+Enter)'
    Kind = 7
    ShowErrors = [veInput, veFocus]
    TabOrder = 7
    Validator.Min = 2
    Validator.NoBounds = False
    OnButtonClick = DateButtonClick
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object AppointmentLabel: TLabel
    Left = 12
    Top = 256
    Caption = '&Appointment:'
    FocusControl = AppointmentEdit
  end
  object AppointmentEdit: TValidEdit
    Left = 112
    Top = 252
    Width = 160
    Height = 21
    Kind = 8
    ShowErrors = [veInput, veFocus]
    TabOrder = 8
    Validator.Max = 0.75
    Validator.Min = 0.333333333333333
    Validator.NoBounds = False
    OnFocusError = EditFocusError
    OnInputError = EditInputError
  end
  object NameLabel: TLabel
    Left = 300
    Top = 16
    Caption = 'Contact &name:'
    FocusControl = NameEdit
  end
  object NameEdit: TEdit
    Left = 400
    Top = 12
    Width = 184
    Height = 21
    TabOrder = 9
    Text = 'Jane Smith'
    TextHint = 'First and last name'
  end
  object RegionLabel: TLabel
    Left = 300
    Top = 46
    Caption = 'Sales &region:'
    FocusControl = RegionEdit
  end
  object RegionEdit: TBtnEdit
    Left = 400
    Top = 42
    Width = 184
    Height = 21
    AlwaysEnable = True
    ButtonHint = 'Next region (Alt+Down)'
    ButtonVisible = True
    GlyphKind = gkDropDown
    ReadOnly = True
    TabOrder = 10
    Text = 'North'
    OnButtonClick = RegionButtonClick
  end
  object EmailLabel: TLabel
    Left = 300
    Top = 76
    Caption = '&E-mail:'
    FocusControl = EmailEdit
  end
  object EmailEdit: TBtnEdit
    Left = 400
    Top = 72
    Width = 184
    Height = 21
    ButtonHint = 'Make the address from the contact name (Ctrl+Enter)'
    ButtonVisible = True
    Glyph.Data = {
      424DC60000000000000076000000280000000E0000000A000000010004000000
      0000500000000000000000000000100000000000000000000000000080000080
      00000080800080000000800080008080000080808000C0C0C0000000FF0000FF
      000000FFFF00FF000000FF00FF00FFFF0000FFFFFF0033333333333333000000
      0000000003000FFFFFFFFFFF03000FFFFCCCFFFF03000FFFCFFFCFFF03000FFC
      FFFFFCFF03000FCFFFFFFFCF03000CFFFFFFFFFC030000000000000003003333
      333333333300}
    TabOrder = 11
    OnButtonClick = EmailButtonClick
  end
  object SummaryLabel: TLabel
    Left = 300
    Top = 106
    Caption = 'Order &summary:'
    FocusControl = SummaryEdit
  end
  object SummaryEdit: TBtnEdit
    Left = 400
    Top = 102
    Width = 184
    Height = 21
    AlwaysEnable = True
    ButtonHint = 'Show the order as its typed values read it (Ctrl+Enter)'
    ButtonVisible = True
    GlyphKind = gkEllipsis
    ReadOnly = True
    TabOrder = 12
    Text = 'Press the button'
    OnButtonClick = SummaryButtonClick
  end
  object VoucherLabel: TLabel
    Left = 300
    Top = 136
    Caption = '&Voucher:'
    FocusControl = VoucherEdit
  end
  object VoucherEdit: TValidEdit
    Left = 400
    Top = 132
    Width = 184
    Height = 21
    Hint = 'A voucher number from 100 to 999'
    Kind = 2
    ErrorDisplay = edInPlace
    ShowErrors = [veInput, veFocus]
    TabOrder = 13
    TextHint = 'Three digits, if any'
    Validator.Max = 999
    Validator.Min = 100
    Validator.NoBounds = False
    OnErrorChange = EditErrorChange
  end
  object HintPanel: TPanel
    Left = 300
    Top = 164
    Width = 284
    Height = 124
    BevelOuter = bvLowered
    TabOrder = 16
    object HintLabel: TLabel
      Left = 8
      Top = 6
      Width = 268
      Height = 112
      AutoSize = False
      WordWrap = True
      Caption = 'Try: a letter in Quantity; N in Country, then Down and Enter in its list; (555 in Phone; leave a half-typed field with Tab; 12/25/98 in Birth date is 1998, Ctrl+Enter opens the calendar; Alt+Down in Sales region. 12 in Voucher, then Tab: the error shows in place (Ctrl+F1 reads it). Rest the mouse on a button for its hint. Below, the customer file judges typing the same way.'
    end
  end
  object ClearButton: TButton
    Left = 412
    Top = 300
    Width = 80
    Height = 25
    Caption = 'Ne&w order'
    TabOrder = 14
    OnClick = ClearButtonClick
  end
  object CloseButton: TButton
    Left = 504
    Top = 300
    Width = 80
    Height = 25
    Caption = 'Close'
    TabOrder = 15
    OnClick = CloseButtonClick
  end
  object Customers: TSQLiteDataSet
    TableName = 'customers'
  end
  object CustomerSource: TDataSource
    DataSet = Customers
    OnDataChange = CustomerDataChange
    OnStateChange = CustomerStateChange
  end
  object FilePanel: TPanel
    Left = 8
    Top = 338
    Width = 584
    Height = 142
    BevelOuter = bvLowered
    TabOrder = 15
    object FileLabel: TLabel
      Left = 8
      Top = 6
      Caption = 'Customer file: the table customers of the sample database'
    end
    object DBCodeLabel: TLabel
      Left = 8
      Top = 32
      Caption = 'Code:'
      FocusControl = DBCodeEdit
    end
    object DBCodeEdit: TDBValidEdit
      Left = 60
      Top = 28
      Width = 100
      Height = 21
      CharCase = ecUpperCase
      DataField = 'code'
      DataSource = CustomerSource
      Kind = 1
      MaxLength = 8
      ShowErrors = [veInput, veFocus]
      TabOrder = 0
      Validator.FilterChars = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-'
      OnFocusError = EditFocusError
      OnInputError = EditInputError
    end
    object DBNameLabel: TLabel
      Left = 176
      Top = 32
      Caption = 'Name:'
      FocusControl = DBNameEdit
    end
    object DBNameEdit: TDBValidEdit
      Left = 228
      Top = 28
      Width = 150
      Height = 21
      DataField = 'name'
      DataSource = CustomerSource
      TabOrder = 1
    end
    object DBPhoneLabel: TLabel
      Left = 392
      Top = 32
      Caption = 'Phone:'
      FocusControl = DBPhoneEdit
    end
    object DBPhoneEdit: TDBValidEdit
      Left = 444
      Top = 28
      Width = 130
      Height = 21
      DataField = 'phone'
      DataSource = CustomerSource
      Kind = 6
      ShowErrors = [veInput, veFocus]
      TabOrder = 2
      Validator.Picture = '(###) ###-####'
      OnFocusError = EditFocusError
      OnInputError = EditInputError
    end
    object DBCountryLabel: TLabel
      Left = 8
      Top = 60
      Caption = 'Country:'
      FocusControl = DBCountryEdit
    end
    object DBCountryEdit: TDBValidEdit
      Left = 60
      Top = 56
      Width = 100
      Height = 21
      CompletionList = True
      DataField = 'country'
      DataSource = CustomerSource
      Kind = 5
      ShowErrors = [veInput, veFocus]
      TabOrder = 3
      OnFocusError = EditFocusError
      OnInputError = EditInputError
    end
    object DBCreditLabel: TLabel
      Left = 176
      Top = 60
      Caption = 'Credit:'
      FocusControl = DBCreditEdit
    end
    object DBCreditEdit: TDBValidEdit
      Left = 228
      Top = 56
      Width = 150
      Height = 21
      Alignment = taRightJustify
      DataField = 'credit_limit'
      DataSource = CustomerSource
      Kind = 4
      ShowErrors = [veInput, veFocus]
      TabOrder = 4
      Validator.Max = 100000
      Validator.Min = 0
      Validator.NoBounds = False
      OnFocusError = EditFocusError
      OnInputError = EditInputError
    end
    object DBBirthDateLabel: TLabel
      Left = 392
      Top = 60
      Caption = 'Born:'
      FocusControl = DBBirthDateEdit
    end
    object DBBirthDateEdit: TDBValidEdit
      Left = 444
      Top = 56
      Width = 130
      Height = 21
      ButtonHint = 'Pick the date in a calendar (Ctrl+Enter)'
      DataField = 'birth_date'
      DataSource = CustomerSource
      Kind = 7
      ShowErrors = [veInput, veFocus]
      TabOrder = 5
      Validator.Min = 2
      Validator.NoBounds = False
      OnButtonClick = DateButtonClick
      OnFocusError = EditFocusError
      OnInputError = EditInputError
    end
    object DBRegionLabel: TLabel
      Left = 8
      Top = 88
      Caption = 'Region:'
      FocusControl = DBRegionEdit
    end
    object DBRegionEdit: TDBBtnEdit
      Left = 60
      Top = 84
      Width = 100
      Height = 21
      AlwaysEnable = True
      ButtonHint = 'Next region (Alt+Down)'
      ButtonVisible = True
      DataField = 'region'
      DataSource = CustomerSource
      GlyphKind = gkDropDown
      ReadOnly = True
      TabOrder = 6
      OnButtonClick = RegionButtonClick
    end
    object FirstButton: TButton
      Left = 176
      Top = 82
      Width = 48
      Height = 25
      Caption = 'First'
      TabOrder = 7
      OnClick = NavigateClick
    end
    object PriorButton: TButton
      Left = 228
      Top = 82
      Width = 48
      Height = 25
      Caption = 'Prior'
      TabOrder = 8
      OnClick = NavigateClick
    end
    object NextButton: TButton
      Left = 280
      Top = 82
      Width = 48
      Height = 25
      Caption = 'Next'
      TabOrder = 9
      OnClick = NavigateClick
    end
    object LastButton: TButton
      Left = 332
      Top = 82
      Width = 48
      Height = 25
      Caption = 'Last'
      TabOrder = 10
      OnClick = NavigateClick
    end
    object PostButton: TButton
      Left = 392
      Top = 82
      Width = 64
      Height = 25
      Caption = 'Post'
      TabOrder = 11
      OnClick = PostClick
    end
    object CancelButton: TButton
      Left = 460
      Top = 82
      Width = 64
      Height = 25
      Cancel = True
      Caption = 'Cancel'
      TabOrder = 12
      OnClick = CancelClick
    end
    object DataStatePanel: TPanel
      Left = 1
      Top = 119
      Width = 582
      Height = 22
      Align = alBottom
      Alignment = taLeftJustify
      BevelOuter = bvLowered
      TabOrder = 13
    end
  end
  object StatusPanel: TPanel
    Left = 0
    Top = 488
    Width = 600
    Height = 22
    Align = alBottom
    Alignment = taLeftJustify
    BevelOuter = bvLowered
    TabOrder = 16
  end
end
